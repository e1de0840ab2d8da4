#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

#include <cstdint>
#include <optional>

namespace tavi::settings {

// The Windows logical-font record the playlist font is stored as: the 28 bytes before the
// face name ("LogFont") plus the face name ("FaceName"). Fields Qt has no use for are kept
// so that a font read and written back is unchanged.
struct LogFont {
    static constexpr int kBinarySize = 28;

    int32_t height = 0;  // negative: character height in pixels; positive: cell height
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;  // 0 any, 400 normal, 700 bold
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 1;  // DEFAULT_CHARSET
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    QString faceName;

    QByteArray toBinary() const;
    // nullopt unless bytes holds at least the 28-byte prefix.
    static std::optional<LogFont> fromBinary(const QByteArray& bytes);

    QFont toQFont() const;
    // The record for a QFont; fields a QFont does not carry are taken from base.
    static LogFont fromQFont(const QFont& font, const LogFont& base);
    static LogFont fromQFont(const QFont& font);

    bool operator==(const LogFont&) const = default;
};

}  // namespace tavi::settings
