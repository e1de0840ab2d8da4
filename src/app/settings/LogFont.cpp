#include "LogFont.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace tavi::settings {

namespace {

// Pitch and family bits of the record.
constexpr uint8_t kFixedPitch = 0x01;
constexpr uint8_t kPitchMask = 0x03;
constexpr uint8_t kFamilyMask = 0xf0;
constexpr uint8_t kFamilyRoman = 0x10;
constexpr uint8_t kFamilySwiss = 0x20;
constexpr uint8_t kFamilyModern = 0x30;
constexpr uint8_t kFamilyScript = 0x40;
constexpr uint8_t kFamilyDecorative = 0x50;
constexpr double kWindowsDpi = 96.0;

QFont::StyleHint styleHintForFamily(uint8_t family) {
    switch (family) {
        case kFamilyRoman:
            return QFont::Serif;
        case kFamilySwiss:
            return QFont::SansSerif;
        case kFamilyModern:
            return QFont::Monospace;
        case kFamilyScript:
            return QFont::Cursive;
        case kFamilyDecorative:
            return QFont::Decorative;
        default:
            return QFont::AnyStyle;
    }
}

uint8_t familyForStyleHint(QFont::StyleHint hint, uint8_t fallback) {
    switch (hint) {
        case QFont::Serif:
            return kFamilyRoman;
        case QFont::SansSerif:
            return kFamilySwiss;
        case QFont::Monospace:
        case QFont::TypeWriter:
            return kFamilyModern;
        case QFont::Cursive:
            return kFamilyScript;
        case QFont::Decorative:
        case QFont::Fantasy:
            return kFamilyDecorative;
        default:
            return fallback;
    }
}

}  // namespace

QByteArray LogFont::toBinary() const {
    QByteArray bytes(kBinarySize, '\0');
    char* out = bytes.data();
    for (int32_t field : {height, width, escapement, orientation, weight}) {
        qToLittleEndian<qint32>(field, out);
        out += 4;
    }
    for (uint8_t field : {italic, underline, strikeOut, charSet, outPrecision, clipPrecision,
                          quality, pitchAndFamily}) {
        *out++ = static_cast<char>(field);
    }
    return bytes;
}

std::optional<LogFont> LogFont::fromBinary(const QByteArray& bytes) {
    if (bytes.size() < kBinarySize) {
        return std::nullopt;
    }
    LogFont font;
    const char* in = bytes.constData();
    for (int32_t* field :
         {&font.height, &font.width, &font.escapement, &font.orientation, &font.weight}) {
        *field = qFromLittleEndian<qint32>(in);
        in += 4;
    }
    for (uint8_t* field :
         {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
          &font.clipPrecision, &font.quality, &font.pitchAndFamily}) {
        *field = static_cast<uint8_t>(*in++);
    }
    return font;
}

QFont LogFont::toQFont() const {
    QFont font;
    if (!faceName.isEmpty()) {
        font.setFamily(faceName);
    }
    if (height != 0) {
        font.setPixelSize(std::abs(height));
    }
    if (weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    }
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    font.setFixedPitch((pitchAndFamily & kPitchMask) == kFixedPitch);
    font.setStyleHint(styleHintForFamily(pitchAndFamily & kFamilyMask));
    return font;
}

LogFont LogFont::fromQFont(const QFont& font) {
    return fromQFont(font, LogFont());
}

LogFont LogFont::fromQFont(const QFont& font, const LogFont& base) {
    LogFont record = base;
    record.faceName = font.family();
    if (font.pixelSize() > 0) {
        record.height = -font.pixelSize();
    } else if (font.pointSizeF() > 0) {
        record.height = -static_cast<int32_t>(std::lround(font.pointSizeF() * kWindowsDpi / 72.0));
    }
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    const uint8_t basePitch = base.pitchAndFamily & kPitchMask;
    const uint8_t pitch =
        font.fixedPitch() ? kFixedPitch : (basePitch == kFixedPitch ? 0 : basePitch);
    const uint8_t family = familyForStyleHint(font.styleHint(), base.pitchAndFamily & kFamilyMask);
    record.pitchAndFamily = static_cast<uint8_t>(family | pitch);
    return record;
}

}  // namespace tavi::settings
