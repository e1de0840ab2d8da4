#pragma once

#include "automation/dispatch/DispatchObject.h"

namespace tavi::automation {

namespace script {
class CMacroList;
}
using script::CMacroList;

// The Macros collection over the main window's macro list. Its members answer 1 to 5 at
// run time (the type library lists Item, Add, Remove and RemoveAll as 11 to 14), so
// clients bind it by name.
class CMacrosCollection : public DispatchObject {
public:
    explicit CMacrosCollection(CMacroList& list);
    QString TypeName() const override { return QStringLiteral("MacrosCollection"); }

private:
    Variant Item(const Variant& key) const;
    void Remove(const Variant& key);

    CMacroList& m_list;
};

}  // namespace tavi::automation
