#include "SavedFiles.h"

#include "app/SettingsFolderWatch.h"
#include "automation/tools/CToolList.h"
#include "engines/cd/CCdDatabase.h"
#include "formats/DocumentFiles.h"
#include "platform/inifile/IniFile.h"
#include "platform/registry/RegKey.h"
#include "platform/registry/Registry.h"

#include <QFileInfo>

namespace tavi::reliability {

namespace {

// Enough entries that a write takes several system calls, so kills land inside it.
QStringList Names(int version, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << QStringLiteral("/music/version %1/track %2 — Ünïcode.mp3").arg(version).arg(i);
    }
    return names;
}

void SaveHive(const QString& path, int version, bool tools) {
    reg::Registry registry({path, {}});
    reg::RegKey key =
        registry.open(reg::Root::CurrentUser, QStringLiteral("Software\\Kestrova\\Tavi"), true);
    if (tools) {
        automation::tools::CToolList list;
        for (const QString& name : Names(version, 40)) {
            automation::tools::CTool tool;
            tool.commandLine = name;
            tool.description = QFileInfo(name).fileName();
            list.tools().push_back(tool);
        }
        list.Save(key);
    } else {
        for (const QString& name : Names(version, 200)) {
            key.setString(QFileInfo(name).fileName(), name);
        }
    }
    registry.flush();
}

void SaveRotation(const QString& path, int version) {
    ini::IniFile file(path, ini::IniFile::Start::Empty);
    file.SelectSection(QStringLiteral("playlist"));
    const QStringList names = Names(version, 300);
    file.WriteInt(QStringLiteral("NumberOfEntries"), int(names.size()));
    file.WriteInt(QStringLiteral("NextIndex"), version + 1);
    for (int i = 0; i < names.size(); ++i) {
        file.WriteString(QStringLiteral("File%1").arg(i + 1), names[i]);
    }
    file.Flush();
}

void SaveCdTitles(const QString& path, int version) {
    engines::CCdDatabase titles(path);
    titles.ApplyDisc(0x12345678, 99);
    titles.SetAll(QStringLiteral("Artist %1").arg(version), QStringLiteral("Album %1").arg(version),
                  Names(version, 99));
}

bool IsPlaylist(const QString& kind) {
    return kind == u"alb" || kind == u"m3u" || kind == u"pls" || kind == u"wpl";
}

}  // namespace

const QStringList& SavedFileKinds() {
    static const QStringList kinds = {QStringLiteral("alb"),      QStringLiteral("m3u"),
                                      QStringLiteral("pls"),      QStringLiteral("wpl"),
                                      QStringLiteral("hive"),     QStringLiteral("tools"),
                                      QStringLiteral("rotation"), QStringLiteral("cdtitles")};
    return kinds;
}

QString SavedFileName(const QString& kind) {
    if (kind == u"hive" || kind == u"tools") {
        return QStringLiteral("user.reg");
    }
    if (kind == u"rotation") {
        return QStringLiteral("radio.rotation");
    }
    if (kind == u"cdtitles") {
        return QStringLiteral("cdplayer.ini");
    }
    return QStringLiteral("list.") + kind;
}

void SaveVersion(const QString& kind, const QString& path, int version) {
    if (IsPlaylist(kind)) {
        formats::SavePlaylistFromDocument(path, Names(version, 400));
    } else if (kind == u"hive" || kind == u"tools") {
        SaveHive(path, version, kind == u"tools");
    } else if (kind == u"rotation") {
        SaveRotation(path, version);
    } else {
        SaveCdTitles(path, version);
    }
}

void StartAgain(const QString& kind, const QString& path) {
    if (IsPlaylist(kind)) {
        formats::LoadPlaylistForDocument(path);
    } else {
        app::SettingsFolderWatch watch({QFileInfo(path).absolutePath()}, {});
        watch.Start();
    }
}

}  // namespace tavi::reliability
