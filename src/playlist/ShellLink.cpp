#include "ShellLink.h"

#include <QtEndian>

#include <cstring>

namespace tavi::playlist {

namespace {

constexpr uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : uint32_t {
    HasLinkTargetIdList = 0x1,
    HasLinkInfo = 0x2,
    HasName = 0x4,
    HasRelativePath = 0x8,
    HasWorkingDir = 0x10,
    IsUnicode = 0x80,
};
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kLinkInfoUnicodeHeaderSize = 0x24;

class Bytes {
public:
    explicit Bytes(QByteArrayView data) : m_data(data) {}
    qsizetype size() const { return m_data.size(); }
    template <typename T>
    std::optional<T> at(qsizetype offset) const {
        if (offset < 0 || offset > m_data.size() - qsizetype(sizeof(T))) {
            return std::nullopt;
        }
        T value;
        std::memcpy(&value, m_data.data() + offset, sizeof value);
        return qFromLittleEndian(value);
    }
    // A zero-terminated string at offset inside [begin, end): 8-bit or UTF-16LE.
    std::optional<QString> terminated(qsizetype offset, qsizetype end, bool wide) const {
        const qsizetype unit = wide ? 2 : 1;
        for (qsizetype pos = offset; pos >= 0 && pos + unit <= end; pos += unit) {
            if ((wide ? *at<uint16_t>(pos) : *at<uint8_t>(pos)) == 0) {
                return text(offset, (pos - offset) / unit, wide);
            }
        }
        return std::nullopt;
    }
    QString text(qsizetype offset, qsizetype count, bool wide) const {
        const char* start = m_data.data() + offset;
        if (!wide) {
            return QString::fromLocal8Bit(start, count);
        }
        QString result(count, Qt::Uninitialized);
        std::memcpy(result.data(), start, std::size_t(count) * 2);
        return result;
    }

private:
    QByteArrayView m_data;
};

QString toSlashes(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The local path of the link info at offset; an empty string when it holds none.
std::optional<QString> readLinkInfo(const Bytes& bytes, qsizetype offset, qsizetype end) {
    const auto headerSize = bytes.at<uint32_t>(offset + 4);
    const auto flags = bytes.at<uint32_t>(offset + 8);
    if (!headerSize || !flags) {
        return std::nullopt;
    }
    if (!(*flags & kVolumeIdAndLocalBasePath)) {
        return QString();
    }
    const bool wide = *headerSize >= kLinkInfoUnicodeHeaderSize;
    const auto baseOffset = bytes.at<uint32_t>(offset + (wide ? 0x1C : 0x10));
    const auto suffixOffset = bytes.at<uint32_t>(offset + (wide ? 0x20 : 0x18));
    if (!baseOffset || !suffixOffset) {
        return std::nullopt;
    }
    const auto base = bytes.terminated(offset + *baseOffset, end, wide);
    const auto suffix = bytes.terminated(offset + *suffixOffset, end, wide);
    if (!base) {
        return std::nullopt;
    }
    return toSlashes(*base + suffix.value_or(QString()));
}

}  // namespace

std::optional<ShellLink> ShellLink::parse(QByteArrayView data) {
    const Bytes bytes(data);
    if (bytes.at<uint32_t>(0) != kHeaderSize || data.size() < qsizetype(kHeaderSize) ||
        std::memcmp(data.data() + 4, kLinkClsid, sizeof kLinkClsid) != 0) {
        return std::nullopt;
    }
    const uint32_t flags = *bytes.at<uint32_t>(0x14);
    qsizetype pos = kHeaderSize;
    if (flags & HasLinkTargetIdList) {
        const auto idListSize = bytes.at<uint16_t>(pos);
        if (!idListSize) {
            return std::nullopt;
        }
        pos += 2 + *idListSize;
    }
    ShellLink link;
    if (flags & HasLinkInfo) {
        const auto infoSize = bytes.at<uint32_t>(pos);
        if (!infoSize || *infoSize < 0x1C || qsizetype(*infoSize) > bytes.size() - pos) {
            return std::nullopt;
        }
        auto local = readLinkInfo(bytes, pos, pos + qsizetype(*infoSize));
        if (!local) {
            return std::nullopt;
        }
        link.localPath = *local;
        pos += *infoSize;
    }
    const bool wide = flags & IsUnicode;
    QString* targets[] = {nullptr, &link.relativePath, &link.workingDir};
    const uint32_t present[] = {flags & HasName, flags & HasRelativePath, flags & HasWorkingDir};
    for (std::size_t i = 0; i < std::size(present); ++i) {
        if (!present[i]) {
            continue;
        }
        const auto count = bytes.at<uint16_t>(pos);
        const qsizetype size = count ? qsizetype(*count) * (wide ? 2 : 1) : -1;
        if (!count || size > bytes.size() - pos - 2) {
            return std::nullopt;
        }
        if (targets[i]) {
            *targets[i] = toSlashes(bytes.text(pos + 2, *count, wide));
        }
        pos += 2 + size;
    }
    if (link.localPath.isEmpty() && link.relativePath.isEmpty()) {
        return std::nullopt;
    }
    return link;
}

}  // namespace tavi::playlist
