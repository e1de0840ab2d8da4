#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <QPointer>

namespace tavi::playlist {
class CTaviDoc;
}

namespace tavi::automation {

class AutomationModel;

// The Document object of the playlist document: its path, title and saved state, and
// saving. Members of an object whose document is gone read as empty and do nothing.
class CDocumentDispatch : public DispatchObject {
public:
    static constexpr int kPrintCommand = 57607;

    CDocumentDispatch(AutomationModel& model, playlist::CTaviDoc* document);
    QString TypeName() const override { return QStringLiteral("Document"); }

private:
    void AddPathMembers();
    void AddActions();

    AutomationModel& m_model;
    QPointer<playlist::CTaviDoc> m_document;
};

}  // namespace tavi::automation
