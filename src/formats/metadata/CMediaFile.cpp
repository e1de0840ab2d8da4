#include "CMediaFile.h"

#include "CMetaDataCueTrack.h"
#include "CMetaDataDirectShow.h"
#include "CMetaDataMidi.h"
#include "CMetaDataModule.h"
#include "CMetaDataWindowsMedia.h"
#include "app/settings/ViewSettings.h"

#include <QFileInfo>

#include <array>
#include <utility>

namespace tavi::formats {

namespace {

// Which reader reads which kind of file; other kinds have no tags.
std::unique_ptr<CMetaData> ReaderForExtension(const QString& extension) {
    static const std::array<const char*, 16> kTagLibFiles{
        ".mp3", ".wma", ".asf", ".wmv", ".flac", ".ogg", ".oga", ".opus",
        ".m4a", ".m4b", ".mp4", ".m4v", ".aac",  ".wv",  ".ape", ".mpc"};
    for (const char* known : kTagLibFiles) {
        if (extension == QLatin1String(known)) {
            return std::make_unique<CMetaDataWindowsMedia>();
        }
    }
    if (extension == QLatin1String(".cuetrack")) {
        return std::make_unique<CMetaDataCueTrack>();
    }
    if (extension == QLatin1String(".avi") || extension == QLatin1String(".wav")) {
        return std::make_unique<CMetaDataDirectShow>();
    }
    for (const char* midi : {".mid", ".rmi", ".kar"}) {
        if (extension == QLatin1String(midi)) {
            return std::make_unique<CMetaDataMidi>();
        }
    }
    if (CMetaDataModule::IsModuleExtension(extension.toUpper())) {
        return std::make_unique<CMetaDataModule>();
    }
    return nullptr;
}

QString LowerExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? path.mid(dot).toLower() : QString();
}

}  // namespace

QString CMediaFile::FileTitle(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

CMetaData* CMediaFile::GetMetaData() {
    if (!m_readerTried) {
        m_readerTried = true;
        m_reader = ReaderForExtension(LowerExtension(m_path));
        // A sheet's track is no file of its own: its reader checks the sheet it lies in.
        const bool cueTrack = LowerExtension(m_path) == QLatin1String(".cuetrack");
        if (m_reader && ((!cueTrack && !QFileInfo(m_path).isFile()) || !m_reader->Open(m_path))) {
            m_reader.reset();
        }
    }
    return m_reader.get();
}

QString CMediaFile::ExpandPattern(const QString& pattern, const TagValues& v) {
    // Later macros are replaced in what earlier replacements produced, so a tag whose text
    // is "$(Year)" shows the year.
    const std::array<std::pair<const char*, const QString*>, 9> macros{{
        {"$(Artist)", &v.artist},
        {"$(Title)", &v.title},
        {"$(Album)", &v.album},
        {"$(Copyright)", &v.copyright},
        {"$(Description)", &v.description},
        {"$(Genre)", &v.genre},
        {"$(Rating)", &v.rating},
        {"$(Year)", &v.year},
        {"$(Overlap)", &v.overlap},
    }};
    QString name = pattern;
    for (const auto& [macro, value] : macros) {
        name.replace(QLatin1String(macro), *value);
    }
    return name;
}

CMediaFile::NameOptions CMediaFile::NameOptions::Current() {
    const settings::ViewSettings& settings = settings::viewSettings();
    return {settings.useMetaData, settings.displayNameFormat, true};
}

QString CMediaFile::GetDisplayName(const NameOptions& options) {
    if (!m_displayName.isEmpty()) {
        return m_displayName;
    }
    const QString title = FileTitle(m_path);
    TagValues values;
    const qsizetype tilde = title.lastIndexOf(QLatin1Char('~'));
    values.overlap = tilde < 0 ? QString() : title.mid(tilde);
    if (options.useMetaData) {
        if (CMetaData* reader = GetMetaData()) {
            reader->GetTitle(values.title);
            reader->GetArtist(values.artist);
            reader->GetAlbum(values.album);
            reader->GetCopyright(values.copyright);
            reader->GetDescription(values.description);
            reader->GetGenre(values.genre);
            reader->GetRating(values.rating);
            reader->GetYear(values.year);
        }
    }
    if (values.title.isEmpty() && values.artist.isEmpty()) {
        m_displayName = title;
    } else {
        if (values.title.isEmpty()) {
            values.title = title;
        }
        m_displayName = ExpandPattern(options.displayNameFormat, values);
    }
    return m_displayName;
}

}  // namespace tavi::formats
