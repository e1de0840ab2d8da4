// Any bytes, as a module file opened through the module library's entry points the way the
// module engine calls them (CNPModDll): the load either fails or gives a length within a
// day, and a seek to the middle and a short play render and halt (null output).
#include "engines/mod/CNPModDll.h"

#include <QFile>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        setenv("TAVI_AUDIO_OUTPUT", "null", 1);
        setenv("GST_PLUGIN_SYSTEM_PATH_1_0", "/nonexistent", 1);
        if (!tavi::engines::CNPModDll::Instance().BindFile(QStringLiteral(TAVI_NPMOD32_PATH))) {
            std::abort();
        }
        return "/tmp/fuzz-mod-" + std::to_string(getpid()) + ".mdz";
    }();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const tavi::engines::CNPModDll::Entries& dll = tavi::engines::CNPModDll::Instance().Get();
    void* player = dll.createEx("controls|spectrum");
    if (dll.load(player, path.c_str())) {
        const int length = dll.getMaxPosition(player);
        if (length <= 0 || length > 24 * 3600 * 10) {
            std::abort();
        }
        dll.setCurrentPosition(player, length / 2);
        dll.play(player);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        dll.stop(player);
        if (dll.getCurrentPosition(player) > length) {
            std::abort();
        }
    }
    dll.destroy(player);
    return 0;
}
