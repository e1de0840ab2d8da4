#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace tavi::engines {
class CMCITrack;
}

namespace tavi::ui {

// "MIDI-Reset": plays the reset file on a plain media-control track while the user waits,
// and closes with 1 when the play reports success, with 2 when it was superseded, aborted or
// failed, could not start, or the user cancelled. Closing destroys the track.
class CResetWnd : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultDone = 1;
    static constexpr int kResultFailed = 2;

    explicit CResetWnd(const QString& resetFile, QWidget* parent = nullptr);
    ~CResetWnd() override;

    // Shows the dialog modally; its result.
    static int Run(const QString& resetFile, QWidget* parent);
    // Where message boxes go (tests record them); a warning box by default.
    void SetMessageSink(std::function<void(const QString& text)> sink) {
        m_showMessage = std::move(sink);
    }

    void done(int result) override;
    void reject() override;  // Cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Relay;
    void Start();
    void OnNotify(uint32_t code);

    QString m_resetFile;
    std::unique_ptr<engines::CMCITrack> m_track;
    std::shared_ptr<Relay> m_relay;  // what notices from the device's thread reach
    std::function<void(const QString&)> m_showMessage;
    bool m_started = false;
};

}  // namespace tavi::ui
