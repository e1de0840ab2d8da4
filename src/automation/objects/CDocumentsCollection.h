#pragma once

#include "automation/dispatch/DispatchObject.h"

namespace tavi::automation {

class AutomationModel;

// The Documents collection: the program's open documents (this single-document program has
// one playlist document). Its Application and Parent are the object that created it.
class CDocumentsCollection : public DispatchObject {
public:
    CDocumentsCollection(AutomationModel& model, std::shared_ptr<DispatchObject> creator);
    QString TypeName() const override { return QStringLiteral("DocumentsCollection"); }

private:
    // The documents in enumeration order.
    std::vector<std::shared_ptr<DispatchObject>> Documents() const;
    Variant Item(const Variant& key) const;

    AutomationModel& m_model;
    std::shared_ptr<DispatchObject> m_creator;
};

}  // namespace tavi::automation
