#pragma once

#include "CMetaData.h"

namespace tavi::formats {

// The title of a MIDI file (".mid", ".rmi", ".kar"): the track name of its first track,
// where composers name the song. Text in UTF-8 where it is valid UTF-8, else Latin-1, the
// encoding of most MIDI files. Files that are no MIDI file have no tags.
class CMetaDataMidi : public CMetaData {
public:
    bool Open(const QString& path) override;
    bool GetTitle(QString& text) override { return !m_title.isEmpty() && Accept(m_title, text); }

private:
    QString m_title;
};

}  // namespace tavi::formats
