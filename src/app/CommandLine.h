#pragma once

#include <QString>
#include <QStringList>

namespace tavi::app {

// The command line as the application object understands it: files and folders, or one of
// the switches automation clients and installers use. Switches start with "/" or "-" and
// are recognised by name; any other argument (a Linux path starts with "/" too) is a file
// to open: the first by the open rules, the others added to the list.
struct CommandLine {
    enum class Command {
        FileNew,     // no file: reopen the recent playlist
        FileOpen,    // open or play `file`
        Register,    // register the servers, then end
        Unregister,  // unregister the servers, then end
    };

    Command command = Command::FileNew;
    QString file;               // the first of files
    QStringList files;          // every file named, in order
    bool print = false;         // /p, /pt: the program prints nothing
    bool dde = false;           // the desktop will hand the file to a running instance
    bool automation = false;    // started by an automation client (/Automation, /Embedding)
    bool perUser = false;       // the per-user registration switches
    bool help = false;          // --help: print the switches and end
    bool chooseFolder = false;  // --play-folder: ask for a folder to play first

    // What --help prints.
    static QString Usage();

    static CommandLine Parse(const QStringList& arguments);
};

}  // namespace tavi::app
