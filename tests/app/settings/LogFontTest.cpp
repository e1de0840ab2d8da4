#include "app/settings/LogFont.h"

#include <gtest/gtest.h>

using tavi::settings::LogFont;

TEST(LogFont, BinaryLayoutIsLittleEndianFieldsThenBytes) {
    LogFont font;
    font.height = -16;
    font.width = 1;
    font.escapement = 2;
    font.orientation = 3;
    font.weight = 700;
    font.italic = 1;
    font.underline = 0;
    font.strikeOut = 1;
    font.charSet = 0xcc;
    font.outPrecision = 3;
    font.clipPrecision = 2;
    font.quality = 5;
    font.pitchAndFamily = 0x22;
    const QByteArray bytes = font.toBinary();
    ASSERT_EQ(bytes.size(), 28);
    EXPECT_EQ(bytes.toHex(),
              QByteArray("f0ffffff010000000200000003000000bc020000010001cc03020522"));
    EXPECT_EQ(LogFont::fromBinary(bytes + QByteArray(64, 'x')), font)
        << "a full record's face name is ignored";
}

TEST(LogFont, QFontMappingKeepsWhatQtCarriesAndTheRestFromTheRecord) {
    LogFont record;
    record.height = -15;
    record.weight = 700;
    record.italic = 1;
    record.underline = 1;
    record.charSet = 0xcc;
    record.quality = 5;
    record.pitchAndFamily = 0x31;  // fixed pitch, modern family
    record.faceName = QStringLiteral("DejaVu Sans Mono");
    const QFont font = record.toQFont();
    EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(font.pixelSize(), 15);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(LogFont::fromQFont(font, record), record);

    QFont points(QStringLiteral("Serif"));
    points.setPointSize(9);
    points.setStyleHint(QFont::Serif);
    const LogFont fromPoints = LogFont::fromQFont(points);
    EXPECT_EQ(fromPoints.height, -12) << "9 pt at 96 dpi";
    EXPECT_EQ(fromPoints.weight, 400);
    EXPECT_EQ(fromPoints.pitchAndFamily, 0x10);
}
