#include "CommandLine.h"

#include <array>

namespace tavi::app {

namespace {

struct Switch {
    const char* name;
    void (*apply)(CommandLine&);
};

void Register(CommandLine& line, bool perUser) {
    line.command = CommandLine::Command::Register;
    line.perUser = perUser;
}
void Unregister(CommandLine& line, bool perUser) {
    line.command = CommandLine::Command::Unregister;
    line.perUser = perUser;
}

const std::array<Switch, 17> kSwitches{{
    {"p", [](CommandLine& l) { l.print = true; }},
    {"pt", [](CommandLine& l) { l.print = true; }},
    {"dde", [](CommandLine& l) { l.dde = true; }},
    {"Embedding", [](CommandLine& l) { l.automation = true; }},
    {"Automation", [](CommandLine& l) { l.automation = true; }},
    {"Register", [](CommandLine& l) { Register(l, false); }},
    {"Regserver", [](CommandLine& l) { Register(l, false); }},
    {"RegisterPerUser", [](CommandLine& l) { Register(l, true); }},
    {"RegserverPerUser", [](CommandLine& l) { Register(l, true); }},
    {"Unregister", [](CommandLine& l) { Unregister(l, false); }},
    {"Unregserver", [](CommandLine& l) { Unregister(l, false); }},
    {"UnregisterPerUser", [](CommandLine& l) { Unregister(l, true); }},
    {"UnregserverPerUser", [](CommandLine& l) { Unregister(l, true); }},
    {"-Automation",
     [](CommandLine& l) { l.automation = true; }},  // "--Automation" as Linux users type it
    {"-help", [](CommandLine& l) { l.help = true; }},
    {"-play-folder", [](CommandLine& l) { l.chooseFolder = true; }},
    {"-dde", [](CommandLine& l) { l.dde = true; }},
}};

const Switch* FindSwitch(const QString& argument) {
    if (argument.size() < 2 ||
        (argument[0] != QLatin1Char('/') && argument[0] != QLatin1Char('-'))) {
        return nullptr;
    }
    const QString name = argument.mid(1);
    for (const Switch& candidate : kSwitches) {
        if (name.compare(QLatin1String(candidate.name), Qt::CaseInsensitive) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace

CommandLine CommandLine::Parse(const QStringList& arguments) {
    CommandLine line;
    for (const QString& argument : arguments) {
        if (const Switch* option = FindSwitch(argument)) {
            option->apply(line);
        } else if (line.command == Command::FileNew || line.command == Command::FileOpen) {
            line.files.append(argument);
            line.file = line.files.first();
            line.command = Command::FileOpen;
        }
    }
    // Automation starts open nothing from the command line: they reopen the recent playlist.
    if (line.automation && line.command == Command::FileOpen) {
        line.command = Command::FileNew;
        line.file.clear();
        line.files.clear();
    }
    return line;
}

QString CommandLine::Usage() {
    return QStringLiteral(
        "Usage: tavi [switches] [FILE...]\n"
        "\n"
        "Plays the first FILE (a playlist or folder is opened instead) and adds the others to\n"
        "the playlist. Without a FILE the most recent playlist is reopened.\n"
        "Switches start with '-' or '/'; their case does not matter.\n"
        "\n"
        "  -dde              hand the files to a running Tavi (the desktop's way to open\n"
        "                    files); without one, this start becomes the player\n"
        "  --play-folder     ask for a folder, then list its media files and play the\n"
        "                    first (with -dde as above)\n"
        "  -Automation, -Embedding\n"
        "                    started by an automation client: reopen the recent playlist\n"
        "                    and end when the last client lets go\n"
        "  -Register, -Regserver, -RegisterPerUser, -RegserverPerUser\n"
        "                    install the desktop entry, file types, bus service and file\n"
        "                    manager menus for this user, then end\n"
        "  -Unregister, -Unregserver, -UnregisterPerUser, -UnregserverPerUser\n"
        "                    remove them again, then end\n"
        "  -p, -pt           accepted for compatibility; nothing is printed\n"
        "  --help, -h        show this text and end\n"
        "  --version         show the version and end\n");
}

}  // namespace tavi::app
