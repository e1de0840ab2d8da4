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

const std::array<Switch, 14> kSwitches{{
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
        } else if (line.command == Command::FileNew && line.file.isEmpty()) {
            line.file = argument;
            line.command = Command::FileOpen;
        }
    }
    // Automation starts open nothing from the command line: they reopen the recent playlist.
    if (line.automation && line.command == Command::FileOpen) {
        line.command = Command::FileNew;
        line.file.clear();
    }
    return line;
}

}  // namespace tavi::app
