#pragma once

#include <QByteArray>

namespace tavi::mci {

// A ".rmi" file is a Standard MIDI File inside a RIFF "RMID" form, in its "data" chunk.
// Gives the MIDI file's bytes: the "data" chunk of such a form, or the bytes unchanged when
// they are no RIFF form at all. False for a RIFF form that is not "RMID", has no "data"
// chunk, or whose chunk runs past the end of the file.
bool UnwrapRmi(const QByteArray& file, QByteArray* midi);

}  // namespace tavi::mci
