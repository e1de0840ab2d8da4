#include "MciDeviceTypes.h"

#include "cd/CdAudioDevice.h"
#include "midi/SequencerDevice.h"
#include "mpeg/MpegVideoDevice.h"
#include "wave/WaveAudioDevice.h"

#include <QHash>

#include <mutex>

namespace tavi::mci {

namespace {

struct TypeTable {
    std::mutex mutex;
    QHash<QString, DeviceMaker> makers;  // by lower-cased name

    TypeTable() {
        makers.insert(QStringLiteral("waveaudio"),
                      [] { return std::make_unique<WaveAudioDevice>(); });
        makers.insert(QStringLiteral("mpegvideo"),
                      [] { return std::make_unique<MpegVideoDevice>(); });
        makers.insert(QStringLiteral("sequencer"),
                      [] { return std::make_unique<SequencerDevice>(); });
        makers.insert(QStringLiteral("cdaudio"), [] { return std::make_unique<CdAudioDevice>(); });
    }
};

TypeTable& types() {
    static TypeTable table;
    return table;
}

}  // namespace

void RegisterDeviceType(const QString& type, DeviceMaker make) {
    std::lock_guard lock(types().mutex);
    types().makers.insert(type.toLower(), std::move(make));
}

std::unique_ptr<MciDevice> CreateDevice(const QString& type) {
    DeviceMaker make;
    {
        std::lock_guard lock(types().mutex);
        make = types().makers.value(type.toLower());
    }
    return make ? make() : nullptr;
}

}  // namespace tavi::mci
