#pragma once

#include "automation/dispatch/CCmdTargetPlus.h"

#include <QRect>

class QMainWindow;

namespace tavi::automation {

class AutomationModel;

// The generic application members (identifiers 101-119 and 201-206): the main window's
// geometry, title, status bar and visibility, the program's paths and version, documents,
// and the message box. Derived classes supply the Macros collection.
class CAppDispatch : public CCmdTargetPlus {
public:
    CAppDispatch(AutomationModel& model, QUuid coclass, QUuid dispatchInterface,
                 QUuid eventInterface);

    AutomationModel& model() const { return m_model; }

protected:
    // The Macros collection; the generic application has none.
    virtual Variant MacrosCollection();
    QMainWindow* Window() const;

private:
    void AddWindowMembers();
    void AddProgramMembers();
    void AddMethods();
    // The restored rectangle of the main window (its current one when it never had another).
    QRect Restored() const;
    void SetRestored(const QRect& rect);

    AutomationModel& m_model;
};

}  // namespace tavi::automation
