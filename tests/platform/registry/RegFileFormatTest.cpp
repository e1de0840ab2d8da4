#include "platform/registry/RegFileFormat.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

using tavi::reg::RegFileFormat;
using tavi::reg::RegKeyNode;
using tavi::reg::RegValue;
using tavi::reg::ValueType;

namespace {

const QString kUser = QStringLiteral("HKEY_CURRENT_USER");

RegKeyNode parseOk(const QByteArray& text) {
    RegKeyNode root;
    const auto result = RegFileFormat::parse(text, kUser, root);
    EXPECT_TRUE(result.ok) << result.error.toStdString() << " at line " << result.line;
    return root;
}

const char* const kWindowsExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kestrova\\Tavi\\Settings]\r\n"
    "\"MediaDir\"=\"C:\\\\Users\\\\Ann\\\\Music\"\r\n"
    "\"IntroLength\"=dword:0000000f\r\n"
    "\"AutoPlay\"=hex:01,00,00,00\r\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
    "\"Path\"=hex(2):25,00,55,00,53,00,45,00,52,00,25,00,00,00\r\n"
    "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
    "  17,18,19\r\n"
    "@=\"default text\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
    "\"Ignored\"=dword:00000001\r\n";

}  // namespace

TEST(RegFileFormat, ReadsEveryValueFormOfAWindowsExport) {
    RegKeyNode root = parseOk(kWindowsExport);
    RegKeyNode* settings = root.find(QStringLiteral("software\\KESTROVA\\tavi\\settings"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->value(QStringLiteral("MediaDir"))->toString(),
              QStringLiteral("C:\\Users\\Ann\\Music"));
    EXPECT_EQ(settings->value(QStringLiteral("introlength"))->toDWord(), 15u);
    EXPECT_EQ(*settings->value(QStringLiteral("AutoPlay")),
              RegValue::fromBinary(QByteArray("\x01\0\0\0", 4)));
    EXPECT_EQ(settings->value(QStringLiteral("Quoted"))->toString(), QStringLiteral("say \"hi\""));
    EXPECT_EQ(settings->value(QStringLiteral("Path"))->type, ValueType::ExpandSz);
    EXPECT_EQ(settings->value(QStringLiteral("Path"))->toString(), QStringLiteral("%USER%"));
    EXPECT_EQ(settings->value(QStringLiteral("Long"))->data.size(), 26);
    EXPECT_EQ(settings->value(QString())->toString(), QStringLiteral("default text"));
    EXPECT_EQ(root.find(QStringLiteral("Software\\Other")), nullptr);
}

TEST(RegFileFormat, ImportsUtf16LittleEndianWithMark) {
    const QString text =
        QString::fromUtf8(kWindowsExport) +
        QStringLiteral("[HKEY_CURRENT_USER\\Software\\Ünïcode]\r\n\"Näme\"=\"Ωmega ♫\"\r\n");
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray bytes = encoder.encode(text);
    ASSERT_TRUE(bytes.startsWith("\xff\xfe"));
    RegKeyNode root = parseOk(bytes);
    EXPECT_EQ(root.find(QStringLiteral("Software\\Kestrova\\Tavi\\Settings"))
                  ->value(QStringLiteral("IntroLength"))
                  ->toDWord(),
              15u);
    EXPECT_EQ(
        root.find(QStringLiteral("Software\\ünïcode"))->value(QStringLiteral("NÄME"))->toString(),
        QStringLiteral("Ωmega ♫"));
}

TEST(RegFileFormat, SerializedTreeReadsBackIdentically) {
    RegKeyNode root;
    RegKeyNode* key = root.findOrCreate(QStringLiteral("Software\\Kestrova\\Tavi\\Settings"));
    key->setValue(QStringLiteral("Text"),
                  RegValue::fromString(QStringLiteral("back\\slash \"quote\" ünï")));
    key->setValue(QStringLiteral("Lines"), RegValue::fromString(QStringLiteral("two\r\nlines")));
    key->setValue(QStringLiteral("Number"), RegValue::fromDWord(0xdeadbeef));
    key->setValue(QStringLiteral("Flag"), RegValue::fromBinary(QByteArray("\x01\0\0\0", 4)));
    key->setValue(QStringLiteral("Big"), RegValue::fromBinary(QByteArray(300, '\x7f')));
    key->setValue(QStringLiteral("Empty"), RegValue::fromBinary(QByteArray()));
    key->setValue(QStringLiteral("Multi"),
                  RegValue::fromMultiString({QStringLiteral("a"), QStringLiteral("b")}));
    key->setValue(QStringLiteral("QWord"), RegValue{ValueType::QWord, QByteArray(8, '\x01')});
    key->setValue(QStringLiteral("Unterminated"), RegValue{ValueType::Sz, QByteArray("a\0", 2)});
    key->setValue(QString(), RegValue::fromString(QStringLiteral("default")));
    root.findOrCreate(QStringLiteral("Software\\Kestrova\\Tavi\\Empty Key"));

    const QByteArray text = RegFileFormat::serialize(root, kUser);
    RegKeyNode reread = parseOk(text);
    const RegKeyNode* again = reread.find(QStringLiteral("Software\\Kestrova\\Tavi\\Settings"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->values(), key->values());
    EXPECT_NE(reread.find(QStringLiteral("Software\\Kestrova\\Tavi\\Empty Key")), nullptr);
    EXPECT_EQ(RegFileFormat::serialize(reread, kUser), text);
    for (const QByteArray& line : text.split('\n')) {
        EXPECT_LE(line.size(), 80) << line.constData();
    }
}

TEST(RegFileFormat, DeletionsInTheFileApply) {
    RegKeyNode root = parseOk(
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_CURRENT_USER\\A\\B]\n\"x\"=dword:1\n\"y\"=dword:2\n"
        "[HKEY_CURRENT_USER\\A\\C]\n"
        "[-HKEY_CURRENT_USER\\A\\C]\n"
        "[HKEY_CURRENT_USER\\A\\B]\n\"x\"=-\n");
    EXPECT_EQ(root.find(QStringLiteral("A\\C")), nullptr);
    EXPECT_EQ(root.find(QStringLiteral("A\\B"))->valueNames(), QStringList{QStringLiteral("y")});
}

TEST(RegFileFormat, RejectsDamagedFiles) {
    const QByteArray cases[] = {
        "",
        "not a registry file\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"x\"=dword:123456789\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:1,zz\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"unterminated\n",
        "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\nx=1\n",
    };
    for (const QByteArray& text : cases) {
        RegKeyNode root;
        EXPECT_FALSE(RegFileFormat::parse(text, kUser, root).ok) << text.constData();
    }
}

TEST(RegKeyNode, SubkeysEnumerateCaseInsensitivelySorted) {
    RegKeyNode root;
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA"}) {
        root.ensureChild(QString::fromLatin1(name));
    }
    EXPECT_EQ(root.childNames(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"),
                                              QStringLiteral("gamma")}));
}
