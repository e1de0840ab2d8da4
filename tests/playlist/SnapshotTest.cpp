#include "playlist/CUndo.h"
#include "playlist/DocumentSnapshot.h"
#include "playlist/ZstdCodec.h"

#include <gtest/gtest.h>

using namespace tavi::playlist;

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

}  // namespace

TEST(DocumentSnapshot, ByteLayout) {
    const QByteArray bytes = DocumentSnapshot::write({QStringLiteral("ab"), QString()}, 1);
    EXPECT_EQ(bytes, hex("02000000"
                         "01000000"
                         "fffeff02"
                         "61006200"
                         "fffeff00"));
    EXPECT_EQ(DocumentSnapshot::write({}, -1), hex("00000000ffffffff"));
}

TEST(DocumentSnapshot, LengthPrefixesAtTheirLimits) {
    const struct {
        qsizetype length;
        const char* prefix;
    } cases[] = {
        {254,
         "fffeff"
         "fe"},
        {255,
         "fffeff"
         "ff"
         "ff00"},
        {65533,
         "fffeff"
         "ff"
         "fdff"},
        {65534,
         "fffeff"
         "ff"
         "ffff"
         "feff0000"},
        {70000,
         "fffeff"
         "ff"
         "ffff"
         "70110100"},
    };
    for (const auto& c : cases) {
        const QString text(c.length, QChar(0x20AC));
        const QByteArray bytes = DocumentSnapshot::write({text}, 0);
        const QByteArray prefix = hex(c.prefix);
        EXPECT_EQ(bytes.mid(8, prefix.size()), prefix) << c.length;
        EXPECT_EQ(bytes.size(), 8 + prefix.size() + c.length * 2) << c.length;
        const auto back = DocumentSnapshot::read(bytes);
        ASSERT_TRUE(back) << c.length;
        EXPECT_EQ(back->entries, QStringList{text});
    }
}

TEST(DocumentSnapshot, ReadsEightBitStringsAndRejectsDamage) {
    const auto read =
        DocumentSnapshot::read(hex("02000000"
                                   "ffffffff"
                                   "03616263"
                                   "fffeff01e900"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->entries, (QStringList{QStringLiteral("abc"), QString(QChar(0xE9))}));
    EXPECT_EQ(read->selection, -1);

    const char* damaged[] = {
        "",
        "01000000",
        "01000000"
        "00000000",  // entry missing
        "01000000"
        "00000000"
        "05616263",  // string cut short
        "ffffffff"
        "00000000",  // negative count
        "ffffff7f"
        "00000000"
        "00",  // count beyond the data
        "01000000"
        "00000000"
        "fffeff"
        "fffeff01",  // the wide mark twice
    };
    for (const char* bytes : damaged) {
        EXPECT_FALSE(DocumentSnapshot::read(hex(bytes))) << bytes;
    }
}

TEST(UndoRecord, CompressedSnapshotGivesBackTheExactBytes) {
    QStringList entries;
    for (int i = 0; i < 5000; ++i) {
        entries.append(
            QStringLiteral("/home/user/Music/Artist %1/Album/%2 - Title \u00e9\u4e2d.mp3")
                .arg(i % 37)
                .arg(i));
    }
    const QByteArray snapshot = DocumentSnapshot::write(entries, 4321);
    const auto record = UndoRecord::fromSnapshot(32805, snapshot);
    EXPECT_EQ(record->commandId, 32805);
    EXPECT_LT(record->compressed.size(), snapshot.size() / 4) << "kept compressed";
    EXPECT_EQ(record->snapshot(), snapshot);
    EXPECT_FALSE(ZstdCodec::decompress(QByteArray("not a frame")));
    EXPECT_FALSE(ZstdCodec::decompress(record->compressed.left(record->compressed.size() - 3)));
}

TEST(CUndo, BoundedListsKeepTheNewestTen) {
    CUndo history;
    history.Reset(UndoRecord::fromSnapshot(0, "base"));
    for (int id = 1; id <= 11; ++id) {
        history.Push(UndoRecord::fromSnapshot(id, QByteArray::number(id)));
    }
    EXPECT_EQ(history.UndoCount(), 10u);
    EXPECT_EQ(history.Current()->commandId, 11);
    int undone = 0;
    while (history.CanUndo()) {
        history.UndoStep();
        ++undone;
    }
    EXPECT_EQ(undone, 10);
    EXPECT_EQ(history.Current()->commandId, 1) << "the base and the first change fell off";
    EXPECT_EQ(history.RedoCount(), 10u);
    history.RedoStep();
    EXPECT_EQ(history.Current()->commandId, 2);
    EXPECT_EQ(history.Current()->snapshot(), QByteArray("2"));
}
