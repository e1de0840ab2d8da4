#include "CConsoleDispatch.h"

#include "ConsoleArea.h"
#include "Guids.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
constexpr uint32_t kBlack = 0;
const QString kLineEnd = QStringLiteral("\r\n");
}  // namespace

CConsoleDispatch::CConsoleDispatch(ConsoleArea* console)
    : CCmdTargetPlus(guids::kConsole, guids::kIConsole, guids::kConsoleEvents), m_console(console) {
    AddProperty(
        QStringLiteral("Text"), 1, T::String,
        [this](const auto&) {
            return Variant::FromString(m_console ? m_console->Text() : QString());
        },
        [this](const Variant& value) {
            if (m_console) {
                m_console->SetText(value.ToString());
            }
        });
    AddProperty(
        QStringLiteral("Visible"), 2, T::Bool,
        [this](const auto&) { return Variant::FromBool(m_console && !m_console->isHidden()); },
        [this](const Variant& value) {
            if (m_console) {
                m_console->setVisible(value.ToBool());
            }
        });
    AddMethod(QStringLiteral("Write"), 3, {T::String}, T::Empty, [this](const auto& a) {
        Write(a[0].ToString(), kBlack, false);
        return Variant();
    });
    AddMethod(QStringLiteral("WriteLine"), 4, {T::String}, T::Empty, [this](const auto& a) {
        Write(a[0].ToString(), kBlack, true);
        return Variant();
    });
    AddMethod(QStringLiteral("WriteColor"), 5, {T::String, T::Int32}, T::Empty,
              [this](const auto& a) {
                  Write(a[0].ToString(), uint32_t(a[1].ToInt32()), false);
                  return Variant();
              });
    AddMethod(QStringLiteral("WriteLineColor"), 6, {T::String, T::Int32}, T::Empty,
              [this](const auto& a) {
                  Write(a[0].ToString(), uint32_t(a[1].ToInt32()), true);
                  return Variant();
              });
    AddMethod(QStringLiteral("Clear"), 7, {}, T::Empty, [this](const auto&) {
        if (m_console) {
            m_console->SetText(QString());
        }
        return Variant();
    });
    SetDefaultMember(1);  // Text
}

void CConsoleDispatch::Write(const QString& text, uint32_t colorRef, bool newLine) {
    if (!m_console) {
        return;
    }
    m_console->Append(text, ConsoleArea::FromColorRef(colorRef));
    if (newLine) {
        m_console->Append(kLineEnd);  // the line end in the default colour
    }
}

}  // namespace tavi::automation
