// A "text/uri-list" or argument list as a file manager (or anyone) could hand it over,
// loaded into the list of paths that goes to the player.
#include "shellext/HandOffError.h"
#include "shellext/ShellFileList.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace tavi::shellext;

namespace {

// Every path is a local absolute path or a URI, never empty and never holding NUL.
void Check(const ShellFileList& list, uint32_t result) {
    if ((result == hresult::kOk) == list.paths().isEmpty()) {
        std::abort();
    }
    for (const QString& path : list.paths()) {
        if (path.isEmpty() || path.contains(QChar(0)) ||
            (!path.startsWith(QLatin1Char('/')) && !path.contains(QLatin1Char(':')))) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ShellFileList list;
    Check(list, list.LoadFromUriList(bytes));
    // The same bytes as command-line words, one a line.
    QStringList words;
    for (const QByteArray& line : bytes.split('\n')) {
        words.append(QString::fromUtf8(line));
    }
    Check(list, list.LoadFromArguments(words));
    for (const QByteArray& line : bytes.split('\n')) {
        const QString path = ShellFileList::PathOfFileUri(line);
        if (!path.isEmpty() && !path.startsWith(QLatin1Char('/'))) {
            std::abort();
        }
    }
    return 0;
}
