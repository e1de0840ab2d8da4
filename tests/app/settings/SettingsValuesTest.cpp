#include "app/settings/SettingsValues.h"
#include "support/TempRegistry.h"

#include <gtest/gtest.h>

using namespace tavi::settings;
using tavi::reg::RegKey;
using tavi::reg::RegValue;
using tavi::reg::Root;
using tavi::reg::ValueType;

namespace {

class SettingsValues : public testing::Test {
protected:
    tavi::test::TempRegistry registry;
    RegKey key = registry->open(Root::CurrentUser,
                                QStringLiteral("Software\\Kestrova\\Tavi\\Settings"), true);
};

}  // namespace

TEST_F(SettingsValues, FlagReadsOnlyFourByteBinary) {
    const QString name = QStringLiteral("Flag");
    struct Case {
        RegValue stored;
        bool expected;
    };
    const Case cases[] = {
        {RegValue::fromBinary(QByteArray("\x01\0\0\0", 4)), true},
        {RegValue::fromBinary(QByteArray("\0\0\0\0", 4)), false},
        {RegValue::fromDWord(1), false},                               // another tool wrote a DWORD
        {RegValue::fromBinary(QByteArray("\x01\0\0\0\0", 5)), false},  // five bytes
        {RegValue::fromBinary(QByteArray("\x01", 1)), false},          // too short
        {RegValue::fromString(QStringLiteral("1")), false},
    };
    for (const Case& c : cases) {
        key.setValue(name, c.stored);
        EXPECT_EQ(readFlag(key, name, false), c.expected);
    }
    key.setValue(name, RegValue::fromDWord(0));
    EXPECT_TRUE(readFlag(key, name, true)) << "a DWORD 0 must not override a default of on";
    EXPECT_TRUE(readFlag(key, QStringLiteral("Missing"), true));
}

TEST_F(SettingsValues, NumbersNeedADWordAndStringsAString) {
    key.setValue(QStringLiteral("N"), RegValue::fromBinary(QByteArray("\x05\0\0\0", 4)));
    EXPECT_EQ(readNumber(key, QStringLiteral("N"), 30), 30u);
    key.setDWord(QStringLiteral("N"), 5);
    EXPECT_EQ(readNumber(key, QStringLiteral("N"), 30), 5u);
    key.setDWord(QStringLiteral("S"), 5);
    EXPECT_EQ(readString(key, QStringLiteral("S"), QStringLiteral("d")), QStringLiteral("d"));
    key.setString(QStringLiteral("S"), QString());
    EXPECT_EQ(readString(key, QStringLiteral("S"), QStringLiteral("d")), QString())
        << "empty is a value";
}

TEST_F(SettingsValues, RectanglesNeedFourIntegers) {
    const WinRect fallback{0, 0, 150, 200};
    struct Case {
        const char* text;
        WinRect expected;
    };
    const Case cases[] = {
        {"10,20,300,400", {10, 20, 300, 400}},
        {"-5,-6,7,8", {-5, -6, 7, 8}},
        {"10,20,300", fallback},
        {"10,20,x,400", fallback},
        {"", fallback},
    };
    for (const Case& c : cases) {
        key.setString(QStringLiteral("R"), QString::fromLatin1(c.text));
        EXPECT_EQ(readRect(key, QStringLiteral("R"), fallback), c.expected) << c.text;
    }
}

TEST_F(SettingsValues, PlacementNeedsAllTenFields) {
    const WindowPlacement placement{2, 3, -1, -1, -32000, -32000, {10, 20, 640, 480}};
    writePlacement(key, QStringLiteral("WindowPos"), placement);
    EXPECT_EQ(key.stringValue(QStringLiteral("WindowPos")),
              QStringLiteral("2,3,-1,-1,-32000,-32000,10,20,640,480"));
    EXPECT_EQ(readPlacement(key, QStringLiteral("WindowPos")), placement);
    key.setString(QStringLiteral("WindowPos"), QStringLiteral("2,3,-1,-1,-32000,-32000,10,20,640"));
    EXPECT_EQ(readPlacement(key, QStringLiteral("WindowPos")), std::nullopt);
}
