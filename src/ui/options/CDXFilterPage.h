#pragma once

#include "OutputDevices.h"
#include "ui/optionsheet/COptionsPage.h"

#include <map>
#include <optional>

class QComboBox;
class QListWidget;
class QPushButton;

namespace tavi::engines {
class CMediaTrack;
}

namespace tavi::ui {

// "DirectX Plug-ins": the user's chain of sound effects and the output device. Opened while
// a GStreamer track is current, the page works on that track's own effect elements, so
// property changes are heard at once; otherwise on new elements made from the saved
// settings. On OK the program-wide list is rebuilt from the page; it applies to the next
// track opened.
class CDXFilterPage : public COptionsPage {
    Q_OBJECT
public:
    // currentTrack may be null or any kind of track; only GStreamer tracks are worked on live.
    explicit CDXFilterPage(engines::CMediaTrack* currentTrack = nullptr, QWidget* parent = nullptr);
    ~CDXFilterPage() override;

    void Apply() override;

    // Appends a new element made by the named factory; false when it cannot be made.
    bool addEffect(const QString& factory);
    void removeSelectedEffect();
    // The element listed in the row (null when out of range).
    GstElement* effectElement(int row) const;
    bool worksOnLiveTrack() const { return m_livePipeline != nullptr; }

    QListWidget* effectsList() const { return m_effects; }
    QComboBox* outputCombo() const { return m_output; }

protected:
    // The two dialogs the buttons open; the defaults run them modally.
    virtual QString PromptForEffect();
    virtual void ShowProperties(GstElement* element, const QString& caption);

private:
    struct Effect {
        QString name;
        gst::ElementPtr element;
    };

    void ListConfiguredEffects();
    void ListOutputDevices();
    void AppendEffect(QString name, gst::ElementPtr element);
    void OnAdd();
    void OnProperties();
    void UpdateButtons();

    gst::ElementPtr m_livePipeline;           // held until the page goes
    std::map<quint64, Effect> m_effectsById;  // the list's items carry the ids
    quint64 m_nextId = 1;
    std::vector<OutputDevice> m_devices;
    // The configured output when no present device has its name: kept as it was.
    std::optional<engines::CDirectShowPersistFilter> m_absentOutput;

    QListWidget* m_effects;
    QPushButton* m_properties;
    QPushButton* m_add;
    QPushButton* m_remove;
    QComboBox* m_output;
};

}  // namespace tavi::ui
