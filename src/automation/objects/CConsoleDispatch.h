#pragma once

#include "automation/dispatch/CCmdTargetPlus.h"

#include <QPointer>

namespace tavi::automation {

class CConsoleBar;

// The Console object: the text of the main window's console dock. Without a console the
// text reads as empty and writes go nowhere.
class CConsoleDispatch : public CCmdTargetPlus {
public:
    static constexpr DispId kOnDblClick = 201;
    static constexpr DispId kOnClick = 202;

    explicit CConsoleDispatch(CConsoleBar* console);
    ~CConsoleDispatch() override;

private:
    void Write(const QString& text, uint32_t colorRef, bool newLine);

    QPointer<CConsoleBar> m_console;
    QMetaObject::Connection m_connections[2];
};

}  // namespace tavi::automation
