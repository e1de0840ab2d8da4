#include "CTool.h"

#include "ToolExpansion.h"
#include "platform/registry/RegKey.h"

#include <QApplication>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QtEndian>

namespace tavi::automation::tools {

namespace {
const QString kCommandLine = QStringLiteral("CommandLine");
const QString kParams = QStringLiteral("Params");
const QString kWorkDir = QStringLiteral("WorkDir");
const QString kStartOptions = QStringLiteral("StartOptions");
const QString kDescription = QStringLiteral("Description");
const QString kShortCut = QStringLiteral("ShortCut");
const QString kUseConsole = QStringLiteral("UseConsole");
const QString kIconFile = QStringLiteral("IconFile");
const QString kIconNum = QStringLiteral("IconNum");

// A PE file whose optional header names a console subsystem (Windows, OS/2 or POSIX).
bool IsConsolePe(const QByteArray& head) {
    if (head.size() < 64 || !head.startsWith("MZ")) {
        return false;
    }
    const quint32 pe = qFromLittleEndian<quint32>(head.constData() + 60);
    if (qsizetype(pe) + 24 + 70 > head.size() || head.mid(pe, 4) != QByteArray("PE\0\0", 4)) {
        return false;
    }
    const quint16 subsystem = qFromLittleEndian<quint16>(head.constData() + pe + 24 + 68);
    return subsystem == 3 || subsystem == 5 || subsystem == 7;
}

// What a desktop entry says of the terminal; nullopt for other files.
std::optional<bool> DesktopEntryTerminal(const QString& path) {
    if (!path.endsWith(QStringLiteral(".desktop"))) {
        return std::nullopt;
    }
    QSettings entry(path, QSettings::IniFormat);
    return entry.value(QStringLiteral("Desktop Entry/Terminal"), false).toBool();
}
}  // namespace

void CTool::Load(const reg::RegKey& key) {
    commandLine = key.stringValue(kCommandLine).value_or(QString());
    parameters = key.stringValue(kParams).value_or(QString());
    startFolder = key.stringValue(kWorkDir).value_or(QString());
    startOptions = key.dwordValue(kStartOptions).value_or(kShow);
    description = key.stringValue(kDescription).value_or(QString());
    hotKey = key.dwordValue(kShortCut).value_or(0);
    const auto console = key.value(kUseConsole);
    useConsole = console && console->data.size() >= 4 &&
                 qFromLittleEndian<quint32>(console->data.constData()) != 0;
    iconFile = key.stringValue(kIconFile).value_or(QString());
    iconIndex = key.dwordValue(kIconNum).value_or(0);
    LoadToolIcons();
}

bool CTool::Save(reg::RegKey& key) const {
    char flag[4];
    qToLittleEndian<quint32>(useConsole ? 1 : 0, flag);
    bool written = key.setString(kCommandLine, commandLine);
    written = key.setString(kParams, parameters) && written;
    written = key.setString(kWorkDir, startFolder) && written;
    written = key.setDWord(kStartOptions, startOptions) && written;
    written = key.setString(kDescription, description) && written;
    written = key.setDWord(kShortCut, hotKey) && written;
    written = key.setBinary(kUseConsole, QByteArray(flag, 4)) && written;
    written = key.setString(kIconFile, iconFile) && written;
    return key.setDWord(kIconNum, iconIndex) && written;
}

void CTool::SetToolCommand(const QString& path) {
    commandLine = path;
    const QFileInfo file(path);
    if (file.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0) {
        iconFile = path;
        iconIndex = 0;
    }
    if (description.isEmpty()) {
        description = file.completeBaseName();
    }
    if (startFolder.isEmpty()) {
        startFolder = file.absolutePath() + QLatin1Char('/');
    }
    if (!useConsole) {
        useConsole = IsConsoleProgram(ExpandEnvironment(path));
    }
    LoadToolIcons();
}

bool CTool::IsConsoleProgram(const QString& path) {
    if (const auto terminal = DesktopEntryTerminal(path)) {
        return *terminal;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(4096);
    if (path.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) {
        return IsConsolePe(head);
    }
    return head.startsWith(
               "\x7F"
               "ELF") ||
           head.startsWith("#!");
}

// An icon file may be a file or a name of the icon theme ("audio-x-generic").
static QIcon IconOf(const QString& fileOrName) {
    if (!fileOrName.contains(QLatin1Char('/'))) {
        return QIcon::fromTheme(fileOrName);
    }
    const QIcon fromFile(fileOrName);
    return fromFile.availableSizes().isEmpty() ? QIcon() : fromFile;
}

bool CTool::LoadToolIcons() {
    QFileIconProvider provider;
    if (!iconFile.isEmpty()) {
        const QIcon fromFile = IconOf(ExpandEnvironment(iconFile));
        if (!fromFile.isNull()) {
            m_icon = fromFile;
            return true;
        }
    }
    const QString command = ExpandEnvironment(commandLine);
    if (command.endsWith(QStringLiteral(".desktop"))) {
        // A desktop entry names its icon.
        const QString name = QSettings(command, QSettings::IniFormat)
                                 .value(QStringLiteral("Desktop Entry/Icon"))
                                 .toString();
        if (const QIcon entryIcon = name.isEmpty() ? QIcon() : IconOf(name); !entryIcon.isNull()) {
            m_icon = entryIcon;
            return false;
        }
    }
    if (!commandLine.isEmpty()) {
        const QString found =
            QFileInfo(command).isAbsolute() ? command : QStandardPaths::findExecutable(command);
        if (!found.isEmpty() && QFileInfo::exists(found)) {
            m_icon = provider.icon(QFileInfo(found));
            return false;
        }
    }
    m_icon = qApp ? QApplication::style()->standardIcon(QStyle::SP_ComputerIcon) : QIcon();
    return false;
}

}  // namespace tavi::automation::tools
