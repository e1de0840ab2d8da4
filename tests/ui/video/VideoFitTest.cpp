// The aspect-preserving fit of the picture into the video window.
#include "engines/VideoPlacement.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using tavi::engines::FitVideoRect;

inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

namespace {

struct FitCase {
    const char* what;
    QSize client;
    QSize aspect;
    std::optional<QRect> expected;
};

class Fit : public testing::TestWithParam<FitCase> {};

TEST_P(Fit, PlacesThePicture) {
    const FitCase& c = GetParam();
    EXPECT_EQ(FitVideoRect(c.client, c.aspect), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Fit,
    testing::Values(
        FitCase{"wide video in a tall window: letterbox centred vertically",
                {400, 400},
                {16, 9},
                QRect(0, 87, 400, 225)},
        FitCase{"tall video in a wide window: pillarbox centred horizontally",
                {800, 300},
                {3, 4},
                QRect(287, 0, 225, 300)},
        FitCase{"exact shape fills the window", {640, 360}, {16, 9}, QRect(0, 0, 640, 360)},
        FitCase{"odd remainder rounds the offset down", {101, 100}, {1, 1}, QRect(0, 0, 100, 100)},
        FitCase{"square video in a wide window", {300, 100}, {1, 1}, QRect(100, 0, 100, 100)},
        FitCase{"pixel-aspect terms larger than the window",
                {1920, 1080},
                {1024000, 576000},
                QRect(0, 0, 1920, 1080)},
        FitCase{"no aspect ratio: nothing happens", {640, 480}, {0, 9}, std::nullopt},
        FitCase{"minimised window: nothing happens", {0, 0}, {4, 3}, std::nullopt}));

}  // namespace
