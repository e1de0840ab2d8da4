#pragma once

#include <QSlider>

#include <functional>
#include <memory>

namespace tavi::mixer {
class MasterVolume;
}

namespace tavi::frame {

// The master volume on the media bar: 0..1000 over the mixer's 0..65535. A mixer that
// cannot be opened, or fails while the window refreshes, leaves the slider unusable for
// the rest of the run.
class CMasterVolumeSlider : public QSlider {
    Q_OBJECT
public:
    // The tool tip and status prompt in the active language.
    void RetranslateTips();
    explicit CMasterVolumeSlider(QWidget* parent = nullptr);
    ~CMasterVolumeSlider() override;

    bool IsUsable() const { return m_usable; }
    // The idle pass: enable while usable and follow changes made elsewhere.
    void UpdateFromMixer();
    // How failures reach the user (a message box with an error icon by default).
    void SetErrorReporter(std::function<void(const QString&)> report) {
        m_report = std::move(report);
    }

    static QString FailureMessage();

private:
    void OnAction(int action);
    void ShowPosition(uint32_t volume);

    std::unique_ptr<mixer::MasterVolume> m_volume;
    bool m_usable = false;
    std::function<void(const QString&)> m_report;
};

}  // namespace tavi::frame
