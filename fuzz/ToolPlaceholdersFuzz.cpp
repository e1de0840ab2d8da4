// A tool's parameters and start folder hold placeholders and environment variables; any text
// and any file name must expand without fault, and a text without "$(" or "%" stays as it is.
#include "automation/tools/ToolExpansion.h"

#include <cstdint>
#include <cstdlib>

using namespace tavi::automation::tools;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf(u'\n');
    const QString text = split < 0 ? input : input.left(split);
    const QString file = split < 0 ? QStringLiteral("/music/a.b/c.mp3") : input.mid(split + 1);
    const QString parameters = ExpandFileParameters(text, file);
    const QString folder = ExpandFileFolder(text, file);
    const QString environment = ExpandEnvironment(text);
    if (!text.contains(QLatin1String("$(")) && (parameters != text || folder != text)) {
        std::abort();
    }
    if (!text.contains(u'%') && environment != text) {
        std::abort();
    }
    return 0;
}
