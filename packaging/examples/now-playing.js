// Writes each track that starts to the output window, with its length.
function Player_Start() {
    var seconds = Math.round(Player.Duration);
    Console.WriteLine(Player.FileName + "  (" + Math.floor(seconds / 60) + ":" +
                      ("0" + seconds % 60).slice(-2) + ")");
}

function Application_Startup() {
    Console.WriteLine("now-playing.js is listening");
}
