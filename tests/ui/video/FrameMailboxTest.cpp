// Frames cross from streaming threads to the UI thread through the mailbox: only the newest
// waits, and nothing arrives once the receiver has disconnected.
#include "ui/video/VideoFrameMailbox.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include <thread>

using tavi::ui::VideoFrameMailbox;

namespace {

QImage Frame(int width) {
    QImage image(width, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST(FrameMailbox, DeliversOnlyTheNewestOfFramesPostedBeforeTheUiRuns) {
    QObject receiver;
    std::vector<int> delivered;
    auto mailbox = std::make_shared<VideoFrameMailbox>(
        &receiver, [&](const QImage& frame) { delivered.push_back(frame.width()); });
    std::thread worker([&] {
        for (int width = 1; width <= 5; ++width) {
            mailbox->Post(Frame(width));
        }
    });
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, std::vector<int>{5});

    mailbox->Post(Frame(7));
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, (std::vector<int>{5, 7}));
}

TEST(FrameMailbox, NothingArrivesAfterDisconnectOrOnceTheReceiverIsGone) {
    std::vector<int> delivered;
    auto receiver = std::make_unique<QObject>();
    auto mailbox = std::make_shared<VideoFrameMailbox>(
        receiver.get(), [&](const QImage& frame) { delivered.push_back(frame.width()); });
    mailbox->Post(Frame(1));
    mailbox->Disconnect();
    mailbox->Post(Frame(2));
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered.empty());

    auto second = std::make_shared<VideoFrameMailbox>(
        receiver.get(), [&](const QImage& frame) { delivered.push_back(frame.width()); });
    second->Post(Frame(3));
    receiver.reset();  // the queued delivery goes with its receiver
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered.empty());
}
