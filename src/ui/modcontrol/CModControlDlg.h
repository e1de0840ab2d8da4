#pragma once

#include "engines/mod/ModControlHost.h"

#include <QDialog>
#include <QPointer>

namespace tavi::ui {

// "MOD Control": the small modeless dialog of a module track, without a parent, whose
// control 2107 the module library draws its panel into. It never takes the keyboard focus:
// it shows without activating, so the playlist keeps the keys.
class CModControlDlg : public QDialog, public engines::ModControlWindow {
    Q_OBJECT
public:
    CModControlDlg();

    // Makes this dialog the one every module track gets.
    static void Register();

    uintptr_t LibraryWindow() const override;
    void Show() override;
    void Hide() override { hide(); }
    QWidget* LibraryControl() const { return m_control; }

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* m_control;               // control 2107
    QPointer<QWidget> m_focusBefore;  // where the focus goes back to if showing takes it
};

}  // namespace tavi::ui
