#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace tavi::playlist {

// Whole-buffer zstd compression for the undo history's snapshots. A context per thread is
// kept so that each snapshot does not pay for setting one up.
class ZstdCodec {
public:
    // A fast level: snapshots are taken after every edit and must cost little.
    static constexpr int kFastLevel = 1;

    static QByteArray compress(QByteArrayView bytes, int level = kFastLevel);
    // nullopt if the bytes are not one complete zstd frame with a recorded size.
    static std::optional<QByteArray> decompress(QByteArrayView frame);
};

}  // namespace tavi::playlist
