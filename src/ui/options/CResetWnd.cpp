#include "CResetWnd.h"

#include "engines/CMediaTrackNotifyWnd.h"
#include "engines/mci/CMCITrack.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tavi::ui {

using engines::CMediaTrackNotifyWnd;

// Notices arrive on the device's thread; they are posted to the UI thread and reach the
// dialog only while the relay lives, which the dialog drops as it closes.
struct CResetWnd::Relay {
    std::function<void(uint32_t)> deliver;
};

CResetWnd::CResetWnd(const QString& resetFile, QWidget* parent)
    : QDialog(parent), m_resetFile(resetFile) {
    setWindowTitle(tr("MIDI-Reset"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The MIDI device is being reset."), this));
    layout->addWidget(new QLabel(tr("please wait ..."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CResetWnd::reject);
    layout->addWidget(buttons);
    m_showMessage = [this](const QString& text) {
        QMessageBox::warning(this, windowTitle(), text);
    };
}

CResetWnd::~CResetWnd() = default;

int CResetWnd::Run(const QString& resetFile, QWidget* parent) {
    CResetWnd dialog(resetFile, parent);
    return dialog.exec();
}

void CResetWnd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, this, &CResetWnd::Start);
    }
}

void CResetWnd::Start() {
    m_relay = std::make_shared<Relay>();
    m_relay->deliver = [this](uint32_t code) { OnNotify(code); };
    std::weak_ptr<Relay> relay = m_relay;
    try {
        m_track = std::make_unique<engines::CMCITrack>();
        m_track->Open(m_resetFile);
        m_track->RedirectNotices([relay](uint32_t code, mci::DeviceId) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [relay, code] {
                    if (std::shared_ptr<Relay> alive = relay.lock()) {
                        alive->deliver(code);
                    }
                },
                Qt::QueuedConnection);
        });
        m_track->Play();
    } catch (const errors::CException& e) {
        m_showMessage(e.GetErrorMessage());
        done(kResultFailed);
    }
}

void CResetWnd::OnNotify(uint32_t code) {
    if (code == CMediaTrackNotifyWnd::kMciNotifySuccessful) {
        done(kResultDone);
        return;
    }
    switch (code) {
        case CMediaTrackNotifyWnd::kMciNotifySuperseded:
            m_showMessage(tr("Superseded"));
            break;
        case CMediaTrackNotifyWnd::kMciNotifyAborted:
            m_showMessage(tr("Aborted"));
            break;
        case CMediaTrackNotifyWnd::kMciNotifyFailure:
            m_showMessage(tr("Failure"));
            break;
        default:
            m_showMessage(tr("Unknown Notification"));
            break;
    }
    done(kResultFailed);
}

// The user's Cancel stops the play; its "aborted" notice comes after the dialog closed and
// is not shown.
void CResetWnd::reject() {
    m_relay.reset();
    if (m_track) {
        try {
            m_track->Stop();
        } catch (const errors::CException& e) {
            m_showMessage(e.GetErrorMessage());
        }
    }
    done(kResultFailed);
}

void CResetWnd::done(int result) {
    m_relay.reset();
    m_track.reset();
    QDialog::done(result);
}

}  // namespace tavi::ui
