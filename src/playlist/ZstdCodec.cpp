#include "ZstdCodec.h"

#include <zstd.h>

#include <limits>
#include <memory>

namespace tavi::playlist {

namespace {

struct CCtxDeleter {
    void operator()(ZSTD_CCtx* context) const { ZSTD_freeCCtx(context); }
};
struct DCtxDeleter {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

ZSTD_CCtx* compressionContext() {
    thread_local std::unique_ptr<ZSTD_CCtx, CCtxDeleter> context(ZSTD_createCCtx());
    return context.get();
}

ZSTD_DCtx* decompressionContext() {
    thread_local std::unique_ptr<ZSTD_DCtx, DCtxDeleter> context(ZSTD_createDCtx());
    return context.get();
}

}  // namespace

QByteArray ZstdCodec::compress(QByteArrayView bytes, int level) {
    QByteArray frame(qsizetype(ZSTD_compressBound(size_t(bytes.size()))), Qt::Uninitialized);
    const size_t written =
        ZSTD_compressCCtx(compressionContext(), frame.data(), size_t(frame.size()), bytes.data(),
                          size_t(bytes.size()), level);
    if (ZSTD_isError(written)) {
        // Cannot happen with a bound-sized buffer; a caller must never get a broken frame.
        qFatal("zstd: %s", ZSTD_getErrorName(written));
    }
    frame.truncate(qsizetype(written));
    frame.squeeze();
    return frame;
}

std::optional<QByteArray> ZstdCodec::decompress(QByteArrayView frame) {
    const unsigned long long size = ZSTD_getFrameContentSize(frame.data(), size_t(frame.size()));
    if (size == ZSTD_CONTENTSIZE_ERROR || size == ZSTD_CONTENTSIZE_UNKNOWN ||
        size > static_cast<unsigned long long>(std::numeric_limits<qsizetype>::max() / 2)) {
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    const size_t read =
        ZSTD_decompressDCtx(decompressionContext(), bytes.data(), size_t(bytes.size()),
                            frame.data(), size_t(frame.size()));
    if (ZSTD_isError(read) || read != size) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace tavi::playlist
