// The "DirectX Plug-ins" page: the effect list, the dialogs behind its buttons, the output
// device, and working on the playing track's own elements.
#include "../../engines/TrackRecorder.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowPersistFilterList.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "support/OpenWait.h"
#include "support/PulseAudioServer.h"
#include "support/QtPrinters.h"
#include "support/TestMedia.h"
#include "ui/options/CDXFilterPage.h"
#include "ui/options/CDXFilterSelectDlg.h"
#include "ui/options/CElementPropertiesDlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

using namespace tavi::engines;
using tavi::ui::CDXFilterPage;

namespace {

CDirectShowPersistFilter Amplify(float factor) {
    tavi::gst::EnsureInitialized();
    tavi::gst::ElementPtr element = tavi::gst::MakeElement("audioamplify", nullptr, nullptr);
    g_object_set(element.get(), "amplification", factor, nullptr);
    CDirectShowPersistFilter filter = CDirectShowPersistFilter::Capture(element.get());
    filter.name = QStringLiteral("Amplify %1").arg(factor);
    return filter;
}

float AmplificationOf(GstElement* element) {
    gfloat value = 0;
    g_object_get(element, "amplification", &value, nullptr);
    return value;
}

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row) {
        names.append(list->item(row)->text());
    }
    return names;
}

// A page whose dialogs are answered by the test.
class TestPage : public CDXFilterPage {
public:
    using CDXFilterPage::CDXFilterPage;
    QString answer;
    QStringList shown;

protected:
    QString PromptForEffect() override { return answer; }
    void ShowProperties(GstElement*, const QString& caption) override { shown.append(caption); }
};

class DXFilterPage : public testing::Test {
protected:
    DXFilterPage() {
        qputenv("TAVI_AUDIO_OUTPUT", "null");
        tavi::test::WaitForEveryOpen();  // the page works on the opened pipeline's elements
    }
    ~DXFilterPage() override {
        directShowFilters().effects = m_saved.effects;
        directShowFilters().output = m_saved.output;
    }

private:
    CDirectShowPersistFilterList m_saved = directShowFilters();
};

}  // namespace

TEST_F(DXFilterPage, ListsTheConfiguredEffectsThatCanBeMadeWithTheirSavedSettings) {
    CDirectShowPersistFilter missing{QStringLiteral("Gone"), QStringLiteral("no-such-element"),
                                     std::nullopt};
    directShowFilters().effects = {Amplify(0.5f), missing, Amplify(2.0f)};
    directShowFilters().output.reset();
    TestPage page;
    EXPECT_EQ(page.windowTitle(), QStringLiteral("DirectX Plug-ins"));
    EXPECT_FALSE(page.worksOnLiveTrack());
    EXPECT_EQ(Names(page.effectsList()),
              (QStringList{QStringLiteral("Amplify 0.5"), QStringLiteral("Amplify 2")}));
    EXPECT_FLOAT_EQ(AmplificationOf(page.effectElement(0)), 0.5f);
    EXPECT_FLOAT_EQ(AmplificationOf(page.effectElement(1)), 2.0f);
}

TEST_F(DXFilterPage, AddRemoveReorderAndCaptureIntoTheList) {
    directShowFilters().effects = {Amplify(0.5f)};
    TestPage page;
    page.answer = QStringLiteral("audioecho");
    ASSERT_TRUE(page.addEffect(QStringLiteral("audioamplify")));
    EXPECT_FALSE(page.addEffect(QStringLiteral("no-such-element")));
    for (QPushButton* button : page.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("&Add...")) {
            button->click();  // asks the (answered) dialog, adds audioecho
        }
    }
    ASSERT_EQ(page.effectsList()->count(), 3);
    EXPECT_EQ(Names(page.effectsList()),
              (QStringList{QStringLiteral("Amplify 0.5"), QStringLiteral("Audio amplifier"),
                           QStringLiteral("Audio echo")}));
    g_object_set(page.effectElement(1), "amplification", gfloat(3.0f), nullptr);

    // Dragging the echo to the top moves it in the model.
    ASSERT_TRUE(page.effectsList()->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0));
    page.effectsList()->setCurrentRow(1);  // the configured amplifier, moved down by one
    page.removeSelectedEffect();
    EXPECT_EQ(page.effectsList()->count(), 2);

    page.Apply();
    const auto& effects = directShowFilters().effects;
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(effects[0].factory, QStringLiteral("audioecho"));
    EXPECT_EQ(effects[1].factory, QStringLiteral("audioamplify"));
    EXPECT_EQ(effects[1].name, QStringLiteral("Audio amplifier"));
    QString error;
    tavi::gst::ElementPtr reloaded = effects[1].Create(&error);
    ASSERT_TRUE(reloaded) << error.toStdString();
    EXPECT_FLOAT_EQ(AmplificationOf(reloaded.get()), 3.0f);
}

TEST_F(DXFilterPage, PropertiesOpensForTheSelectedEffectOnly) {
    directShowFilters().effects = {Amplify(0.5f)};
    TestPage page;
    QPushButton* properties = nullptr;
    for (QPushButton* button : page.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("&Properties...")) {
            properties = button;
        }
    }
    ASSERT_NE(properties, nullptr);
    page.effectsList()->setCurrentRow(-1);
    EXPECT_FALSE(properties->isEnabled());
    page.effectsList()->setCurrentRow(0);
    ASSERT_TRUE(properties->isEnabled());
    properties->click();
    EXPECT_EQ(page.shown, QStringList{QStringLiteral("Amplify 0.5")});
}

TEST_F(DXFilterPage, ThePropertyEditorChangesTheElementAtOnce) {
    tavi::gst::EnsureInitialized();
    tavi::gst::ElementPtr element = tavi::gst::MakeElement("audioamplify", nullptr, nullptr);
    tavi::ui::CElementPropertiesDlg dialog(element.get(), QStringLiteral("Amp"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Amp"));
    auto* amplification = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("amplification"));
    auto* clipping = dialog.findChild<QComboBox*>(QStringLiteral("clipping-method"));
    ASSERT_NE(amplification, nullptr);
    ASSERT_NE(clipping, nullptr);
    EXPECT_EQ(dialog.findChild<QWidget*>(QStringLiteral("name")), nullptr);
    amplification->setValue(1.75);
    EXPECT_FLOAT_EQ(AmplificationOf(element.get()), 1.75f);
    clipping->setCurrentIndex(clipping->findText(QStringLiteral("wrap-negative")));
    gint method = -1;
    g_object_get(element.get(), "clipping-method", &method, nullptr);
    EXPECT_EQ(method, 1);
}

TEST_F(DXFilterPage, TheSelectDialogListsInstalledAudioEffectsOnly) {
    tavi::ui::CDXFilterSelectDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add DirectX Plug-in"));
    QListWidget* list = dialog.pluginList();
    int amplifier = -1;
    for (int row = 0; row < list->count(); ++row) {
        const QString factory = list->item(row)->data(Qt::UserRole).toString();
        GstElementFactory* found = gst_element_factory_find(factory.toLatin1().constData());
        ASSERT_NE(found, nullptr) << factory.toStdString();
        EXPECT_NE(
            QString::fromUtf8(gst_element_factory_get_metadata(found, GST_ELEMENT_METADATA_KLASS))
                .indexOf(QStringLiteral("Filter/Effect/Audio")),
            -1)
            << factory.toStdString();
        gst_object_unref(found);
        if (factory == QStringLiteral("audioamplify")) {
            amplifier = row;
        }
    }
    ASSERT_GE(amplifier, 0);
    EXPECT_TRUE(dialog.selectedFactory().isEmpty());
    list->setCurrentRow(amplifier);
    EXPECT_EQ(dialog.selectedFactory(), QStringLiteral("audioamplify"));
}

TEST_F(DXFilterPage, WorksOnThePlayingTracksOwnElements) {
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(wav, 1.0));
    directShowFilters().effects = {Amplify(0.5f), Amplify(0.25f)};
    tavi::test::TrackRecorder recorder;
    auto track = CreateTrackForFile(wav, &recorder);
    track->Open(wav);
    GstElement* pipeline = dynamic_cast<CDirectShowTrack&>(*track).GetPipelineElement();

    TestPage page(track.get());
    ASSERT_TRUE(page.worksOnLiveTrack());
    ASSERT_EQ(page.effectsList()->count(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(
            gst_object_has_as_ancestor(GST_OBJECT(page.effectElement(row)), GST_OBJECT(pipeline)));
    }
    EXPECT_FLOAT_EQ(AmplificationOf(page.effectElement(1)), 0.25f);
    g_object_set(page.effectElement(1), "amplification", gfloat(0.75f), nullptr);
    page.Apply();
    QString error;
    EXPECT_FLOAT_EQ(AmplificationOf(directShowFilters().effects[1].Create(&error).get()), 0.75f);

    // A track of another kind gives no live elements.
    auto pause = CreateTrackForFile(QStringLiteral("5.pause"), &recorder);
    TestPage other(pause.get());
    EXPECT_FALSE(other.worksOnLiveTrack());
}

namespace {

// A sound server kept off the session bus: another test's server may hold its bus name.
std::unique_ptr<tavi::test::PulseAudioServer> PrivateSoundServer() {
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    auto server = std::make_unique<tavi::test::PulseAudioServer>();
    if (bus.isNull()) {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    } else {
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    }
    return server;
}

}  // namespace

TEST_F(DXFilterPage, TheOutputDeviceComesFromTheDeviceMonitorAndAnAbsentOneIsKept) {
    const auto server = PrivateSoundServer();
    ASSERT_TRUE(server->isReady());
    directShowFilters().effects.clear();
    directShowFilters().output = CDirectShowPersistFilter{
        QStringLiteral("Unplugged card"), QStringLiteral("alsasink"), QByteArray("device=hw:9\n")};
    {
        TestPage page;
        QComboBox* combo = page.outputCombo();
        EXPECT_EQ(combo->currentText(), QStringLiteral("Unplugged card"));
        page.Apply();
        ASSERT_TRUE(directShowFilters().output.has_value());
        EXPECT_EQ(directShowFilters().output->data, QByteArray("device=hw:9\n"));
    }
    TestPage page;
    QComboBox* combo = page.outputCombo();
    ASSERT_GE(combo->count(), 2) << "the null sink of the private sound server";
    combo->setCurrentIndex(0);
    const QString device = combo->currentText();
    page.Apply();
    ASSERT_TRUE(directShowFilters().output.has_value());
    EXPECT_EQ(directShowFilters().output->name, device);
    QString error;
    EXPECT_TRUE(directShowFilters().output->Create(&error)) << error.toStdString();

    TestPage again;
    EXPECT_EQ(again.outputCombo()->currentText(), device);
}
