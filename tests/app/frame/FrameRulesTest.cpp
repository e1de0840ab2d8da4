// The frame's rules that need no window: stored placements, tray tooltips, Find and the
// slider's units.
#include "app/frame/CPositionSlider.h"
#include "app/frame/CommandTables.h"
#include "app/frame/FindInPlaylist.h"
#include "app/frame/TrayTooltip.h"
#include "app/frame/WindowPlacementRules.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace tavi::frame;
using tavi::settings::WindowPlacement;
using tavi::settings::WinRect;

namespace {

const QRect kDesktop(0, 0, 1280, 800);

WindowPlacement Stored(uint32_t show, WinRect rect) {
    WindowPlacement placement;
    placement.showCmd = show;
    placement.normal = rect;
    return placement;
}

}  // namespace

TEST(WindowPosRules, FirstStartReadsNothingElse) {
    const PlacementDecision decision = DecidePlacement(std::nullopt, true, kDesktop);
    EXPECT_FALSE(decision.placementRead);
    EXPECT_FALSE(decision.showCommand);
    EXPECT_FALSE(decision.normalGeometry);
}

struct PlacementCase {
    const char* name;
    uint32_t storedShow;
    WinRect rect;
    bool showingNormally;
    std::optional<uint32_t> expectedShow;
    std::optional<QRect> expectedGeometry;
};

class WindowPosCases : public testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPosCases, StoredPlacementIsUsedByTheRules) {
    const PlacementCase& c = GetParam();
    const PlacementDecision decision =
        DecidePlacement(Stored(c.storedShow, c.rect), c.showingNormally, kDesktop);
    EXPECT_TRUE(decision.placementRead) << c.name;
    EXPECT_EQ(decision.showCommand, c.expectedShow) << c.name;
    EXPECT_EQ(decision.normalGeometry, c.expectedGeometry) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Placements, WindowPosCases,
    testing::Values(
        PlacementCase{"normal inside",
                      ShowNormal,
                      {100, 50, 900, 650},
                      true,
                      ShowNormal,
                      QRect(100, 50, 800, 600)},
        PlacementCase{"normal partly outside",
                      ShowNormal,
                      {1200, 700, 2000, 1300},
                      true,
                      ShowNormal,
                      QRect(1200, 700, 800, 600)},
        PlacementCase{"normal outside the desktop",
                      ShowNormal,
                      {3000, 2000, 3800, 2600},
                      true,
                      ShowNormal,
                      std::nullopt},
        PlacementCase{"left of the desktop",
                      ShowNormal,
                      {-900, 0, -100, 600},
                      true,
                      ShowNormal,
                      std::nullopt},
        PlacementCase{"maximised keeps the program's rectangle",
                      ShowMaximized,
                      {100, 50, 900, 650},
                      true,
                      ShowMaximized,
                      std::nullopt},
        PlacementCase{
            "minimised", ShowMinimized, {100, 50, 900, 650}, true, ShowMinimized, std::nullopt},
        PlacementCase{"stored hidden does not hide a normal start",
                      ShowHide,
                      {100, 50, 900, 650},
                      true,
                      std::nullopt,
                      std::nullopt},
        PlacementCase{"a start that is not normal keeps its state",
                      ShowMaximized,
                      {100, 50, 900, 650},
                      false,
                      std::nullopt,
                      std::nullopt},
        PlacementCase{
            "empty rectangle", ShowNormal, {10, 10, 10, 10}, true, ShowNormal, std::nullopt}));

TEST(WindowPosRules, SavedPlacementRoundTripsItsRectangle) {
    const WindowPlacement saved = PlacementOf(ShowMaximized, QRect(10, 20, 300, 200));
    EXPECT_EQ(saved.showCmd, uint32_t(ShowMaximized));
    EXPECT_EQ(saved.normal, (WinRect{10, 20, 310, 220}));
    EXPECT_EQ(ToQRect(saved.normal), QRect(10, 20, 300, 200));
}

TEST(TrayTooltip, TextsOf64OrMoreAreCutTo60AndDots) {
    const struct {
        qsizetype length;
        qsizetype expected;
        bool dots;
    } cases[] = {{0, 0, false},  {59, 59, false}, {60, 60, false}, {63, 63, false},
                 {64, 63, true}, {65, 63, true},  {300, 63, true}};
    for (const auto& c : cases) {
        const QString text(c.length, QLatin1Char('a'));
        const QString cut = CutTrayTooltip(text);
        EXPECT_EQ(cut.size(), c.expected) << c.length;
        EXPECT_EQ(cut.endsWith(QStringLiteral("...")), c.dots) << c.length;
        if (c.dots) {
            EXPECT_EQ(cut.left(60), text.left(60));
        }
    }
}

TEST(FindInPlaylist, StepsWithWrapAroundAndMatchCase) {
    const QStringList names = {QStringLiteral("Alpha"), QStringLiteral("beta"),
                               QStringLiteral("Gamma"), QStringLiteral("BETA max"),
                               QStringLiteral("delta")};
    const auto name = [&](int row) { return names[row]; };
    const struct {
        const char* text;
        bool down;
        bool matchCase;
        int selected;
        int expected;
    } cases[] = {
        {"beta", true, false, 0, 1},   {"beta", true, false, 1, 3},   {"beta", true, false, 3, 1},
        {"beta", true, true, 1, 1},    {"BETA", true, true, 4, 3},    {"beta", false, false, 1, 3},
        {"beta", false, false, 3, 1},  {"amm", true, false, 4, 2},    {"zeta", true, false, 2, -1},
        {"alpha", false, false, 0, 0}, {"beta", true, false, -1, -1}, {"", true, false, 0, -1},
    };
    for (const auto& c : cases) {
        const FindRequest request{QString::fromLatin1(c.text), c.down, c.matchCase};
        EXPECT_EQ(FindInPlaylist(request, c.selected, int(names.size()), name), c.expected)
            << c.text << " from " << c.selected << (c.down ? " down" : " up");
    }
}

TEST(PositionSliderUnits, TenthsOfASecondTruncated) {
    EXPECT_EQ(CPositionSlider::ToUnits(200.57), 2005);
    EXPECT_EQ(CPositionSlider::ToUnits(0.09), 0);
    EXPECT_EQ(CPositionSlider::ToUnits(59.99), 599);
    EXPECT_EQ(CPositionSlider::ToUnits(-1.0), 0);  // an unknown length
}

// Translators see each menu text and prompt with the command id it belongs to.
TEST(MenuTables, EveryTextCarriesItsCommandIdAsDisambiguation) {
    using tavi::frame::MenuItem;
    std::vector<std::span<const MenuItem>> tables;
    for (const tavi::frame::MenuPopup& popup : tavi::frame::MenuBarTable()) {
        tables.push_back(popup.items);
    }
    tables.push_back(tavi::frame::ToolbarsPopupTable());
    tables.push_back(tavi::frame::PlaylistContextMenuTable());
    tables.push_back(tavi::frame::TrayMenuTable());
    int checked = 0;
    for (std::span<const MenuItem> table : tables) {
        for (const MenuItem& item : table) {
            const QByteArray id = item.id == 0 ? QByteArray() : QByteArray::number(item.id);
            for (const tavi::frame::MenuText& text : {item.text, item.hint}) {
                if (!text.isNull()) {
                    EXPECT_EQ(QByteArray(text.comment), id) << text.source;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 100);
}
