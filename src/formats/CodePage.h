#pragma once

#include <QByteArrayView>

namespace tavi::formats {

// Code pages as playlist files name their text encodings.
namespace CodePage {
constexpr int kAnsi = 0;  // the locale's 8-bit encoding
constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;
constexpr int kUtf7 = 65000;
constexpr int kUtf8 = 65001;

inline bool IsUtf16(int codePage) {
    return codePage == kUtf16Le || codePage == kUtf16Be;
}
}  // namespace CodePage

// The byte-order marks; the same table serves reading and writing.
struct ByteOrderMark {
    int codePage;
    QByteArrayView bytes;
};

inline constexpr ByteOrderMark kByteOrderMarks[] = {
    {CodePage::kUtf8, QByteArrayView("\xEF\xBB\xBF", 3)},
    {CodePage::kUtf16Le, QByteArrayView("\xFF\xFE", 2)},
    {CodePage::kUtf16Be, QByteArrayView("\xFE\xFF", 2)},
    {CodePage::kUtf7, QByteArrayView("\x2B\x2F\x76\x38\x2D", 5)},
};

// The mark of a code page; empty when it has none.
inline QByteArrayView MarkOf(int codePage) {
    for (const ByteOrderMark& mark : kByteOrderMarks) {
        if (mark.codePage == codePage) {
            return mark.bytes;
        }
    }
    return {};
}

}  // namespace tavi::formats
