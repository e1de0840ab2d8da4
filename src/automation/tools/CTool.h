#pragma once

#include <QIcon>
#include <QString>

namespace tavi::reg {
class RegKey;
}

namespace tavi::automation::tools {

// A program of the user's Programs menu: what it starts and how, its menu text and icon.
// The command and parameters may hold environment variables (%NAME%) and the parameters
// and start folder placeholders of the file it is run on ($(FilePath), $(FileDir),
// $(FileName), $(FileDrive), $(FileExt)).
class CTool {
public:
    static constexpr uint32_t kShowNormal = 1;
    static constexpr uint32_t kShow = 5;

    QString commandLine;
    QString parameters;
    QString startFolder;
    uint32_t startOptions = kShow;
    QString description;
    uint32_t hotKey = 0;  // stored and edited only
    bool useConsole = false;
    QString iconFile;
    uint32_t iconIndex = 0;

    void Load(const reg::RegKey& key);
    bool Save(reg::RegKey& key) const;

    // The command chosen with Browse: the description and start folder follow it when they
    // are empty, and a console program turns the output window on.
    void SetToolCommand(const QString& path);
    // The icon of the icon file or of the command; the standard one when neither has one.
    // True when it came from the icon file.
    bool LoadToolIcons();
    const QIcon& Icon() const { return m_icon; }

    // A console program: an ELF executable, a script with "#!", or a PE file for the
    // console subsystem, unless a desktop entry says Terminal=false.
    static bool IsConsoleProgram(const QString& path);

private:
    QIcon m_icon;
};

}  // namespace tavi::automation::tools
