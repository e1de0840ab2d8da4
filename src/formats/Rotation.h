#pragma once

#include <QString>

#include <functional>

namespace tavi::formats {

// Hands out the entries of a rotation file one after the other: returns the entry that
// NextIndex names (empty text when there is none) and rewrites NextIndex to the following
// one, wrapping to 1 after NumberOfEntries. On the wrap, a non-zero "Shuffle" key also
// rewrites File1 … FileN in a new random order (the entry returned is from the old order).
// The entry is returned as it stands in the file. The file is rewritten atomically; when
// that fails the entry is still returned and the file stays as it was, so a rotation on
// read-only media keeps playing its current entry.
QString RotationNext(const QString& path);

// The same with the pseudo-random draw given, for tests: returns r in 0 … 32767.
QString RotationNext(const QString& path, const std::function<int()>& draw);

}  // namespace tavi::formats
