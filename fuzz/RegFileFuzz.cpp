// The hive parser must survive any bytes, and whatever it accepts must write back to a file
// that reads as the same tree.
#include "platform/registry/RegFileFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tavi::reg::RegFileFormat;
    using tavi::reg::RegKeyNode;
    const QString root = QStringLiteral("HKEY_CURRENT_USER");
    RegKeyNode tree;
    if (!RegFileFormat::parse(
             QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), root,
             tree)
             .ok) {
        return 0;
    }
    const QByteArray written = RegFileFormat::serialize(tree, root);
    RegKeyNode reread;
    if (!RegFileFormat::parse(written, root, reread).ok ||
        RegFileFormat::serialize(reread, root) != written) {
        std::abort();
    }
    return 0;
}
