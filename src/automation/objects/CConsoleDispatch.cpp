#include "CConsoleDispatch.h"

#include "CConsoleBar.h"
#include "Guids.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
constexpr uint32_t kBlack = 0;
const QString kLineEnd = QStringLiteral("\r\n");

// The window keeps one paragraph break per line; clients read and write lines ended with
// CR LF, as the text was written (WriteLine) and as scripts compare it.
QString WithLineEnds(QString text) {
    return text.replace(QLatin1Char('\n'), kLineEnd);
}
}  // namespace

CConsoleDispatch::CConsoleDispatch(CConsoleBar* console)
    : CCmdTargetPlus(guids::kConsole, guids::kIConsole, guids::kConsoleEvents), m_console(console) {
    AddProperty(
        QStringLiteral("Text"), 1, T::String,
        [this](const auto&) {
            return Variant::FromString(m_console ? WithLineEnds(m_console->Text()) : QString());
        },
        [this](const Variant& value) {
            if (m_console) {
                QString text = value.ToString();
                m_console->SetText(text.replace(kLineEnd, QStringLiteral("\n")));
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
    // Clicks in the window reach the Console's sinks (scripts' Console_OnClick and
    // Console_OnDblClick).
    if (console) {
        m_connections[0] = QObject::connect(console, &CConsoleBar::clicked, console,
                                            [this] { FireEvent(kOnClick); });
        m_connections[1] = QObject::connect(console, &CConsoleBar::doubleClicked, console,
                                            [this] { FireEvent(kOnDblClick); });
    }
}

CConsoleDispatch::~CConsoleDispatch() {
    for (const auto& connection : m_connections) {
        QObject::disconnect(connection);
    }
}

void CConsoleDispatch::Write(const QString& text, uint32_t colorRef, bool newLine) {
    if (!m_console) {
        return;
    }
    m_console->Append(text, CConsoleBar::FromColorRef(colorRef));
    if (newLine) {
        m_console->Append(kLineEnd);  // the line end in the default colour
    }
}

}  // namespace tavi::automation
