#pragma once

#include <QFile>
#include <QString>

#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <map>

namespace tavi::test {

using Tags = std::map<std::string, QString>;  // property name (ARTIST, TITLE, …) → value

inline TagLib::String Utf(const QString& text) {
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

inline TagLib::PropertyMap ToProperties(const Tags& tags) {
    TagLib::PropertyMap properties;
    for (const auto& [name, value] : tags) {
        properties.replace(TagLib::String(name), TagLib::StringList(Utf(value)));
    }
    return properties;
}

// Writes ID3v2 tags into an MP3 file.
inline bool TagMp3(const QString& path, const Tags& tags) {
    TagLib::MPEG::File file(QFile::encodeName(path).constData());
    file.ID3v2Tag(true)->setProperties(ToProperties(tags));
    return file.save(TagLib::MPEG::File::ID3v2);
}

inline bool TagOgg(const QString& path, const Tags& tags) {
    TagLib::Ogg::Vorbis::File file(QFile::encodeName(path).constData());
    file.setProperties(ToProperties(tags));
    return file.save();
}

// Writes tags into any file TagLib knows by its extension (FLAC, Opus, MP4, WavPack, …),
// in the file's own tag format.
inline bool TagFile(const QString& path, const Tags& tags) {
    TagLib::FileRef file(QFile::encodeName(path).constData(), false);
    if (file.isNull()) {
        return false;
    }
    file.file()->setProperties(ToProperties(tags));
    return file.save();
}

// Writes RIFF INFO fields (IART, INAM, ICOP, …) into a WAV file.
inline bool TagWav(const QString& path, const std::map<std::string, QString>& fields) {
    TagLib::RIFF::WAV::File file(QFile::encodeName(path).constData());
    for (const auto& [id, value] : fields) {
        file.InfoTag()->setFieldText(TagLib::ByteVector(id.c_str(), 4), Utf(value));
    }
    return file.save(TagLib::RIFF::WAV::File::Info);
}

}  // namespace tavi::test
