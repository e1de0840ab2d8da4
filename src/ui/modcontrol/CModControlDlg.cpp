#include "CModControlDlg.h"

#include <QApplication>
#include <QEvent>
#include <QVBoxLayout>

namespace tavi::ui {

CModControlDlg::CModControlDlg() : m_control(new QWidget(this)) {
    setWindowTitle(tr("MOD Control"));
    setObjectName(QStringLiteral("modControl"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    m_control->setObjectName(QString::number(ModControlWindow::kLibraryControlId));
    m_control->setMinimumSize(360, 140);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_control);
    resize(sizeHint());
}

void CModControlDlg::Register() {
    engines::SetModControlProvider([]() -> std::unique_ptr<engines::ModControlWindow> {
        return std::make_unique<CModControlDlg>();
    });
}

uintptr_t CModControlDlg::LibraryWindow() const {
    return reinterpret_cast<uintptr_t>(m_control);
}

void CModControlDlg::Show() {
    if (isVisible()) {
        return;
    }
    m_focusBefore = QApplication::focusWidget();
    show();
}

// Platforms that activate a window as it shows anyway (at once or a turn later) get the focus
// handed back to where it was.
void CModControlDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("MOD Control"));
    }
}

bool CModControlDlg::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && m_focusBefore) {
        const QPointer<QWidget> focus = m_focusBefore;
        m_focusBefore = nullptr;
        focus->activateWindow();
        focus->setFocus();
    }
    return handled;
}

}  // namespace tavi::ui
