// tavictl: drives the running player from the command line (starting it when needed).
#include "BusClient.h"
#include "platform/dbus/BusTypes.h"
#include "platform/fs/AbsoluteLocalPath.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <map>

using namespace tavi::automation;

namespace {

constexpr int kUsageError = 2;

const char kUsage[] =
    "usage: tavictl play|stop|pause|next|status\n"
    "       tavictl mode [WORD] | position [SECONDS]\n"
    "       tavictl add PATH... | insert INDEX PATH | remove INDEX\n"
    "       tavictl list | count | item INDEX | load FILE\n"
    "       tavictl call OBJECT MEMBER [ARGS...]\n"
    "       tavictl addin NAME SCRIPT    (runs a script macro now and at each start)\n"
    "Whole numbers are passed as integers, other numbers as doubles, anything else as text.\n";

void Print(const QString& text) {
    std::printf("%s\n", qPrintable(text));
}

struct Command {
    int minArguments;
    int maxArguments;  // -1: any number
    std::function<int(BusClient&, const QStringList&)> run;
};

QString Absolute(const QString& path) {
    const QString absolute = tavi::fs::AbsoluteLocalPath(path);
    return QFileInfo::exists(absolute) ? absolute : path;
}

int PlayerCommand(BusClient& client, const QString& member) {
    client.Call(client.Object(QStringLiteral("Player")), member);
    return 0;
}

// Reads a property, or assigns it when a value is given.
int GetOrPut(BusClient& client, const QString& object, const QString& member,
             const QStringList& arguments, bool numeric) {
    const QString path = client.Object(object);
    if (arguments.isEmpty()) {
        Print(TextOf(client.Call(path, member)));
    } else {
        client.Put(path, member, numeric ? ArgumentOf(arguments[0]) : QVariant(arguments[0]));
    }
    return 0;
}

const std::map<QString, Command>& Commands() {
    const QString player = QStringLiteral("Player");
    const QString playlist = QStringLiteral("Playlist");
    static const std::map<QString, Command> commands = {
        {QStringLiteral("play"),
         {0, 0, [](auto& c, auto&) { return PlayerCommand(c, QStringLiteral("Play")); }}},
        {QStringLiteral("stop"),
         {0, 0, [](auto& c, auto&) { return PlayerCommand(c, QStringLiteral("Stop")); }}},
        {QStringLiteral("pause"),
         {0, 0, [](auto& c, auto&) { return PlayerCommand(c, QStringLiteral("Pause")); }}},
        {QStringLiteral("next"),
         {0, 0, [](auto& c, auto&) { return PlayerCommand(c, QStringLiteral("Next")); }}},
        {QStringLiteral("status"),
         {0, 0,
          [player](auto& c, auto& a) {
              return GetOrPut(c, player, QStringLiteral("Status"), a, false);
          }}},
        {QStringLiteral("mode"),
         {0, 1,
          [player](auto& c, auto& a) {
              return GetOrPut(c, player, QStringLiteral("Mode"), a, false);
          }}},
        {QStringLiteral("position"),
         {0, 1,
          [player](auto& c, auto& a) {
              return GetOrPut(c, player, QStringLiteral("Position"), a, true);
          }}},
        {QStringLiteral("add"),
         {1, -1,
          [playlist](auto& c, auto& a) {
              QList<QVariantList> files;
              for (const QString& file : a) {
                  files.append({Absolute(file)});
              }
              c.CallEach(c.Object(playlist), QStringLiteral("Add"), files);
              return 0;
          }}},
        {QStringLiteral("insert"),
         {2, 2,
          [playlist](auto& c, auto& a) {
              c.Call(c.Object(playlist), QStringLiteral("Insert"),
                     {ArgumentOf(a[0]), Absolute(a[1])});
              return 0;
          }}},
        {QStringLiteral("remove"),
         {1, 1,
          [playlist](auto& c, auto& a) {
              c.Call(c.Object(playlist), QStringLiteral("Remove"), {ArgumentOf(a[0])});
              return 0;
          }}},
        {QStringLiteral("count"),
         {0, 0,
          [playlist](auto& c, auto&) {
              Print(TextOf(c.Call(c.Object(playlist), QStringLiteral("Count"))));
              return 0;
          }}},
        {QStringLiteral("item"),
         {1, 1,
          [playlist](auto& c, auto& a) {
              Print(TextOf(c.Call(c.Object(playlist), QStringLiteral("Item"), {ArgumentOf(a[0])})));
              return 0;
          }}},
        {QStringLiteral("list"),
         {0, 0,
          [playlist](auto& c, auto&) {
              const QString path = c.Object(playlist);
              const int count = c.Call(path, QStringLiteral("Count")).toInt();
              for (int i = 0; i < count; ++i) {
                  Print(TextOf(c.Call(path, QStringLiteral("Item"), {i})));
              }
              return 0;
          }}},
        {QStringLiteral("load"),
         {1, 1,
          [playlist](auto& c, auto& a) {
              const bool loaded =
                  c.Call(c.Object(playlist), QStringLiteral("Load"), {Absolute(a[0])}).toBool();
              Print(loaded ? QStringLiteral("true") : QStringLiteral("false"));
              return loaded ? 0 : 1;
          }}},
        {QStringLiteral("addin"),
         {2, 2,
          [](auto& c, auto& a) {
              const QString macro =
                  TextOf(c.Call(c.Object(QStringLiteral("Macros")), QStringLiteral("Add"), {a[0]}));
              c.Put(macro, QStringLiteral("FileName"), Absolute(a[1]));
              c.Put(macro, QStringLiteral("Startup"), true);
              const bool running = c.Call(macro, QStringLiteral("Enabled")).toBool();
              Print(running ? QStringLiteral("Running") : QStringLiteral("Stopped"));
              return running ? 0 : 1;
          }}},
        {QStringLiteral("call"),
         {2, -1,
          [](auto& c, auto& a) {
              QVariantList arguments;
              for (const QString& word : a.mid(2)) {
                  arguments.append(ArgumentOf(word));
              }
              Print(TextOf(c.Call(c.Object(a[0]), a[1], arguments)));
              return 0;
          }}},
    };
    return commands;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    tavi::platform::RegisterBusTypes();
    const QStringList words = QCoreApplication::arguments().mid(1);
    const auto found = words.isEmpty() ? Commands().end() : Commands().find(words[0]);
    if (found == Commands().end()) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    }
    const QStringList arguments = words.mid(1);
    const Command& command = found->second;
    if (arguments.size() < command.minArguments ||
        (command.maxArguments >= 0 && arguments.size() > command.maxArguments)) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    }
    try {
        BusClient client(QDBusConnection::sessionBus());
        return command.run(client, arguments);
    } catch (const ClientError& error) {
        std::fprintf(stderr, "tavictl: %s\n", qPrintable(error.description()));
        return 1;
    }
}
