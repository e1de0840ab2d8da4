#include "SavedSearch.h"

#include "CPlaylistFile.h"
#include "SearchCondition.h"
#include "platform/fs/FolderOrder.h"

#include <QFile>
#include <QStandardPaths>

namespace tavi::formats {

namespace {

struct ScopeFolder {
    QString path;
    bool recursive = true;
};

struct SavedSearchQuery {
    std::optional<SearchCondition> condition;  // none: every file
    QList<ScopeFolder> includes;
    QStringList excludes;
};

struct KnownFolder {
    const char* id;
    QStandardPaths::StandardLocation location;
};

// The shell's known-folder ids that have a counterpart here.
constexpr KnownFolder kKnownFolders[] = {
    {"{4BD8D571-6D19-48D3-BE97-422220080E43}", QStandardPaths::MusicLocation},
    {"{18989B1D-99B5-455B-841C-AB7C74E4DDFC}", QStandardPaths::MoviesLocation},
    {"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}", QStandardPaths::DocumentsLocation},
    {"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", QStandardPaths::DesktopLocation},
    {"{374DE290-123F-4565-9164-39C4925E467B}", QStandardPaths::DownloadLocation},
    {"{33E28130-4E1E-4676-835A-98395C3BC3BB}", QStandardPaths::PicturesLocation},
    {"{5E6C858F-0E22-4760-9AFE-EA3317B67173}", QStandardPaths::HomeLocation},
};

// The folder of an <include> or <exclude>; empty when it names nothing on this system.
QString scopePath(const QXmlStreamAttributes& attributes) {
    const QString path = attributes.value(QLatin1String("path")).toString();
    if (!path.isEmpty()) {
        return path.startsWith(u'/') ? path : QString();
    }
    const QStringView id = attributes.value(QLatin1String("knownFolder"));
    for (const KnownFolder& folder : kKnownFolders) {
        if (id.compare(QLatin1String(folder.id), Qt::CaseInsensitive) == 0) {
            return QStandardPaths::writableLocation(folder.location);
        }
    }
    return {};
}

bool isTrue(QStringView text) {
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == u"1";
}

// Reads <scope>; false when one of its folders cannot be evaluated.
bool parseScope(QXmlStreamReader& xml, SavedSearchQuery& query) {
    while (xml.readNextStartElement()) {
        const bool include = xml.name() == QLatin1String("include");
        const bool exclude = xml.name() == QLatin1String("exclude");
        if (include || exclude) {
            const QString path = scopePath(xml.attributes());
            if (path.isEmpty()) {
                return false;
            }
            if (include) {
                query.includes.append(
                    {path, !isTrue(xml.attributes().value(QLatin1String("nonRecursive")))});
            } else {
                query.excludes.append(path);
            }
        }
        xml.skipCurrentElement();
    }
    return true;
}

// Reads <query>; false when it holds something this reader cannot evaluate.
bool parseQuery(QXmlStreamReader& xml, SavedSearchQuery& query) {
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("conditions")) {
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("condition") || query.condition) {
                    return false;
                }
                query.condition = SearchCondition::Parse(xml);
                if (!query.condition) {
                    return false;
                }
            }
        } else if (xml.name() == QLatin1String("scope")) {
            if (!parseScope(xml, query)) {
                return false;
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return !xml.hasError();
}

std::optional<SavedSearchQuery> parseSavedSearch(QIODevice& device) {
    QXmlStreamReader xml(&device);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("persistedQuery")) {
        return std::nullopt;
    }
    SavedSearchQuery query;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("query")) {
            if (!parseQuery(xml, query)) {
                return std::nullopt;
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError() || query.includes.isEmpty()) {
        return std::nullopt;
    }
    return query;
}

bool isExcluded(const QString& path, const QStringList& excludes) {
    return std::any_of(excludes.begin(), excludes.end(), [&](const QString& folder) {
        return path == folder || path.startsWith(folder + u'/');
    });
}

// A folder's matching files in natural order, then those of its sub-folders (links to
// folders are not followed, so a link back up cannot make the walk endless).
void AddMatches(const QString& folder, bool recursive, const SavedSearchQuery& query,
                CPlaylistFile& list) {
    const QDir::Filters filters =
        QDir::Files | QDir::NoDotAndDotDot | (recursive ? QDir::AllDirs : QDir::Filters());
    for (const QFileInfo& info : fs::SortedEntries(folder, filters)) {
        if (info.isDir()) {
            if (!info.isSymLink()) {
                AddMatches(info.absoluteFilePath(), recursive, query, list);
            }
            continue;
        }
        if (isExcluded(info.absoluteFilePath(), query.excludes)) {
            continue;
        }
        if (!query.condition || query.condition->Matches(info)) {
            list.Add(info.absoluteFilePath());
        }
    }
}

}  // namespace

void ReadSavedSearch(const QString& path, CPlaylistFile& list) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const auto query = parseSavedSearch(file);
    if (!query) {
        return;
    }
    for (const ScopeFolder& scope : query->includes) {
        AddMatches(scope.path, scope.recursive, *query, list);
    }
}

}  // namespace tavi::formats
