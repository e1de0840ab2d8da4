#pragma once

#include <QString>
#include <QStringList>

namespace tavi::app {

// The command line as the application object understands it: one file or folder, or one
// of the switches automation clients and installers use. Switches start with "/" or "-"
// and are recognised by name; any other argument (a Linux path starts with "/" too) is the
// file to open.
struct CommandLine {
    enum class Command {
        FileNew,     // no file: reopen the recent playlist
        FileOpen,    // open or play `file`
        Register,    // register the servers, then end
        Unregister,  // unregister the servers, then end
    };

    Command command = Command::FileNew;
    QString file;
    bool print = false;       // /p, /pt: the program prints nothing
    bool dde = false;         // the desktop will hand the file to a running instance
    bool automation = false;  // started by an automation client (/Automation, /Embedding)
    bool perUser = false;     // the per-user registration switches

    static CommandLine Parse(const QStringList& arguments);
};

}  // namespace tavi::app
