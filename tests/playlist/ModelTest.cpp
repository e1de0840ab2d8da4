// The list model: display text, lazy names, batches, and Qt's model contract.
#include "PlaylistTestSupport.h"

#include <QSignalSpy>

using namespace tavi::playlist;

namespace {

class Model : public tavi::test::PlaylistTest {};

}  // namespace

TEST_F(Model, DisplayTextFollowsShowPathAndShowTrackNo) {
    fill({QStringLiteral("/m/Song.mp3"), QStringLiteral("20.pause")}, 0);
    auto text = [this](int row) {
        return model().data(model().index(row), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(text(0), QStringLiteral("Song"));
    EXPECT_EQ(text(1), QStringLiteral("20 sec."));
    QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
    tavi::settings::viewSettings().showTrackNo = true;
    model().refreshAll();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(text(1), QStringLiteral("[2] 20 sec."));
    tavi::settings::viewSettings().showPath = true;
    EXPECT_EQ(text(0), QStringLiteral("[1] /m/Song.mp3"));
    EXPECT_EQ(model().data(model().index(0), PlaylistModel::ImageIndexRole).toInt(), 5);
    EXPECT_EQ(model().data(model().index(0), PlaylistModel::PathRole).toString(),
              QStringLiteral("/m/Song.mp3"));
}

TEST_F(Model, ItemValuesMoveWithTheirEntries) {
    fill({QStringLiteral("1.pause"), QStringLiteral("2.pause"), QStringLiteral("3.pause")}, 0);
    model().setItemValue(0, 0x1111);
    model().setItemValue(2, 0x3333);
    model().move(0, 2);
    EXPECT_EQ(model().itemValue(2), 0x1111u);
    EXPECT_EQ(model().itemValue(1), 0x3333u);
    EXPECT_EQ(model().current(), 2);
    model().setPath(2, QStringLiteral("9.pause"));
    EXPECT_EQ(model().itemValue(2), 0x1111u);
}

TEST_F(Model, BatchAnnouncesRowsTogetherAndSelectsTheFirstAdded) {
    QSignalSpy inserted(&model(), &QAbstractItemModel::rowsInserted);
    model().beginBatch();
    for (int i = 0; i < 10; ++i) {
        model().append(QStringLiteral("%1.pause").arg(i));
    }
    EXPECT_EQ(model().count(), 10) << "the program sees the entries at once";
    EXPECT_EQ(model().rowCount(), 0) << "the views learn of them at the end";
    EXPECT_EQ(model().path(9), QStringLiteral("9.pause"));
    EXPECT_EQ(model().current(), 0);
    EXPECT_EQ(inserted.count(), 0);
    model().endBatch();
    EXPECT_EQ(model().rowCount(), 10);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model().current(), 0);
    model().beginBatch();
    model().append(QStringLiteral("x.pause"));
    EXPECT_TRUE(model().insert(0, QStringLiteral("y.pause")))
        << "an insert announces pending rows first";
    model().endBatch();
    EXPECT_EQ(model().path(0), QStringLiteral("y.pause"));
    EXPECT_EQ(model().path(11), QStringLiteral("x.pause"));
    EXPECT_EQ(model().current(), 1) << "the selection follows its entry";
}
