#include "DocumentSnapshot.h"

#include <QtEndian>

#include <cstring>

namespace tavi::playlist {

namespace {

constexpr uint8_t kEscape = 0xFF;
constexpr uint16_t kWideMark = 0xFFFE;
constexpr uint16_t kLongMark = 0xFFFF;

class Writer {
public:
    explicit Writer(qsizetype reserve) { m_bytes.reserve(reserve); }
    void byte(uint8_t value) { m_bytes.append(char(value)); }
    void u16(uint16_t value) { raw(qToLittleEndian(value)); }
    void u32(uint32_t value) { raw(qToLittleEndian(value)); }
    template <typename T>
    void raw(T value) {
        m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void string(const QString& text) {
        byte(kEscape);
        u16(kWideMark);
        const auto length = uint32_t(text.size());
        if (length < 0xFF) {
            byte(uint8_t(length));
        } else if (length < kWideMark) {
            byte(kEscape);
            u16(uint16_t(length));
        } else {
            byte(kEscape);
            u16(kLongMark);
            u32(length);
        }
        static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "UTF-16 is copied as it is kept in memory");
        m_bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}
    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    template <typename T>
    std::optional<T> number() {
        if (remaining() < qsizetype(sizeof(T))) {
            return std::nullopt;
        }
        T value;
        std::memcpy(&value, m_bytes.data() + m_pos, sizeof value);
        m_pos += sizeof value;
        return qFromLittleEndian(value);
    }
    std::optional<QString> string() {
        bool wide = false;
        auto length = stringLength(wide);
        if (!length) {
            return std::nullopt;
        }
        const qsizetype size = qsizetype(*length) * (wide ? 2 : 1);
        if (size > remaining()) {
            return std::nullopt;
        }
        const char* data = m_bytes.data() + m_pos;
        m_pos += size;
        if (wide) {
            QString text(qsizetype(*length), Qt::Uninitialized);
            std::memcpy(text.data(), data, size);
            return text;
        }
        return QString::fromLocal8Bit(data, size);
    }

private:
    // The length prefix; a leading FF FE FF marks 16-bit characters and is taken once.
    std::optional<uint32_t> stringLength(bool& wide) {
        for (;;) {
            const auto first = number<uint8_t>();
            if (!first) {
                return std::nullopt;
            }
            if (*first != kEscape) {
                return *first;
            }
            const auto second = number<uint16_t>();
            if (!second) {
                return std::nullopt;
            }
            if (*second == kWideMark) {
                if (wide) {
                    return std::nullopt;
                }
                wide = true;
                continue;
            }
            if (*second != kLongMark) {
                return *second;
            }
            return number<uint32_t>();
        }
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

}  // namespace

QByteArray DocumentSnapshot::write(qsizetype count, int selection, const EntryAt& entryAt) {
    qsizetype estimate = 8;
    for (qsizetype i = 0; i < count; ++i) {
        estimate += 8 + entryAt(i).size() * 2;
    }
    Writer out(estimate);
    out.u32(uint32_t(count));
    out.u32(uint32_t(selection));
    for (qsizetype i = 0; i < count; ++i) {
        out.string(entryAt(i));
    }
    return out.take();
}

QByteArray DocumentSnapshot::write(const QStringList& entries, int selection) {
    return write(entries.size(), selection,
                 [&entries](qsizetype i) -> const QString& { return entries.at(i); });
}

std::optional<DocumentSnapshot> DocumentSnapshot::read(QByteArrayView bytes) {
    Reader in(bytes);
    const auto count = in.number<int32_t>();
    const auto selection = in.number<int32_t>();
    // Every entry takes at least one byte, which bounds what a damaged count can allocate.
    if (!count || !selection || *count < 0 || *count > in.remaining()) {
        return std::nullopt;
    }
    DocumentSnapshot snapshot;
    snapshot.selection = *selection;
    snapshot.entries.reserve(*count);
    for (int32_t i = 0; i < *count; ++i) {
        auto text = in.string();
        if (!text) {
            return std::nullopt;
        }
        snapshot.entries.append(std::move(*text));
    }
    return snapshot;
}

}  // namespace tavi::playlist
