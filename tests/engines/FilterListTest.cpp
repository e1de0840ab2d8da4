#include "TrackRecorder.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowPersistFilterList.h"
#include "platform/gst/GstSupport.h"
#include "support/QtApp.h"
#include "support/TempRegistry.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

using namespace tavi::engines;

namespace {

CDirectShowPersistFilter Amplify(double factor) {
    tavi::gst::EnsureInitialized();
    tavi::gst::ElementPtr element = tavi::gst::MakeElement("audioamplify", nullptr, nullptr);
    g_object_set(element.get(), "amplification", gfloat(factor), nullptr);
    return CDirectShowPersistFilter::Capture(element.get());
}

int PeakOf(const QString& wavPath) {
    QFile file(wavPath);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    int peak = 0;
    const qsizetype data = bytes.indexOf("data");
    if (data < 0) {
        return 0;
    }
    const qsizetype end = std::min<qsizetype>(
        bytes.size(), data + 8 + qFromLittleEndian<quint32>(bytes.constData() + data + 4));
    for (qsizetype i = data + 8; i + 1 < end; i += 2) {
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(bytes.constData() + i))));
    }
    return peak;
}

}  // namespace

TEST(FilterList, SavingFewerFiltersLeavesNoStaleKeysAndReadsBack) {
    tavi::test::TempRegistry registry;
    auto appKey = registry->open(tavi::reg::Root::CurrentUser,
                                 QStringLiteral("Software\\Kestrova\\Tavi"), true);
    CDirectShowPersistFilterList list;
    list.effects = {Amplify(0.5), Amplify(2.0), Amplify(3.0)};
    list.output =
        CDirectShowPersistFilter{QStringLiteral("Null"), QStringLiteral("fakesink"), std::nullopt};
    list.Save(appKey);
    list.effects.resize(1);
    list.output.reset();
    list.Save(appKey);

    const auto key = appKey.subKey(QStringLiteral("DirectShow Filters"));
    EXPECT_EQ(key.subKeyNames(), QStringList{QStringLiteral("Filter 0")});
    EXPECT_EQ(key.dwordValue(QStringLiteral("FilterCount")), 1u);
    CDirectShowPersistFilterList reread;
    reread.Load(appKey);
    ASSERT_EQ(reread.effects.size(), 1u);
    EXPECT_EQ(reread.effects[0].factory, QStringLiteral("audioamplify"));
    EXPECT_EQ(reread.effects[0].name, list.effects[0].name);
    EXPECT_EQ(reread.effects[0].data, list.effects[0].data);
    EXPECT_FALSE(reread.output.has_value());
}

TEST(FilterList, SavedSettingsComeBackOnANewElement) {
    const CDirectShowPersistFilter saved = Amplify(0.25);
    ASSERT_TRUE(saved.data.has_value());
    QString error;
    tavi::gst::ElementPtr element = saved.Create(&error);
    ASSERT_TRUE(element) << error.toStdString();
    gfloat amplification = 0;
    g_object_get(element.get(), "amplification", &amplification, nullptr);
    EXPECT_FLOAT_EQ(amplification, 0.25f);

    CDirectShowPersistFilter broken = saved;
    broken.data = QByteArray("amplification=loud\n");
    EXPECT_FALSE(broken.Create(&error));
    CDirectShowPersistFilter missing{QStringLiteral("Gone"), QStringLiteral("no-such-element"),
                                     std::nullopt};
    EXPECT_FALSE(missing.Create(&error));
}

TEST(FilterList, ConfiguredEffectsShapeTheSoundOfTheNextTrack) {
    tavi::test::coreApplication();
    QTemporaryDir dir;
    const QString tone = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(tone, 0.5));
    auto playTo = [&](const QString& output) {
        qputenv("TAVI_AUDIO_OUTPUT", QByteArray("file:") + output.toLocal8Bit());
        tavi::test::TrackRecorder recorder;
        auto track = CreateTrackForFile(tone, &recorder);
        track->Open(tone);
        track->Play();
        tavi::test::processEventsUntil([&] { return !recorder.reports.empty(); }, 4000);
        track->Close();
        return PeakOf(output);
    };
    directShowFilters().effects.clear();
    const int plain = playTo(dir.filePath(QStringLiteral("plain.wav")));
    directShowFilters().effects = {
        Amplify(0.1), CDirectShowPersistFilter{QStringLiteral("Gone"),
                                               QStringLiteral("no-such-element"), std::nullopt}};
    const int quiet = playTo(dir.filePath(QStringLiteral("quiet.wav")));
    directShowFilters().effects.clear();
    EXPECT_GT(plain, 1000);
    EXPECT_NEAR(double(quiet), plain * 0.1, plain * 0.02)
        << "the missing effect is skipped, the other applies";
}
