#pragma once

#include "CMediaTrack.h"

#include <QString>

#include <memory>

namespace tavi::engines {

class CMediaTrackCallback;

// Creates the engine for a file from its extension, unopened, with the callback stored.
// The first matching row of the engine table wins; an extension without a row goes to the
// GStreamer engine when a filter graph can be created at that moment, else to the
// media-control engine. There is no fallback: when the chosen engine cannot open the file,
// Open throws to the caller.
std::unique_ptr<CMediaTrack> CreateTrackForFile(const QString& fileName,
                                                CMediaTrackCallback* callback);

// The upper-cased extension with its dot ("" when the last path component has none).
QString UpperExtension(const QString& fileName);

}  // namespace tavi::engines
