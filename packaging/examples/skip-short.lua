-- Skips tracks shorter than five seconds (jingles, silence between live recordings).
-- Pause entries are left alone: they are meant to be short.
local shortest = 5

function Player_Start()
    local file = Player.FileName
    if file:lower():match("%.pause$") then
        return
    end
    local length = Player.Duration
    if length > 0 and length < shortest then
        Console:WriteLine(string.format("skipped %s (%.1f s)", file, length))
        Player:Next()
    end
end
