#include "PropertyPagesDialog.h"

#include "automation/dispatch/DispatchObject.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tavi::automation {

namespace {

QString ValueText(const Variant& value) {
    switch (value.GetType()) {
        case Variant::Type::Dispatch:
        case Variant::Type::Unknown:
            return value.ToObject() ? value.ToObject()->TypeName() : QStringLiteral("(none)");
        case Variant::Type::Empty:
        case Variant::Type::Null:
            return {};
        default: {
            const auto text = value.ChangeType(Variant::Type::String);
            return text ? text->ToString() : QString();
        }
    }
}

QDialogButtonBox* CloseButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}

}  // namespace

PropertyPagesDialog::PropertyPagesDialog(const QString& caption, DispatchObject* object,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    for (const Member& member : object ? object->Members() : std::vector<Member>{}) {
        if (member.kind == Member::Kind::Method || !member.parameters.empty() || !member.call) {
            continue;
        }
        QString text;
        try {
            text = ValueText(member.call({}));
        } catch (const std::exception&) {
            continue;  // a property that cannot be read now is left out
        }
        m_rows.append(member.name + QStringLiteral(": ") + text);
        form->addRow(member.name, new QLabel(text, this));
    }
    layout->addWidget(CloseButtons(this));
}

HtmlPageDialog::HtmlPageDialog(const QString& url, QWidget* parent) : QDialog(parent) {
    setWindowTitle(url);
    auto* layout = new QVBoxLayout(this);
    auto* page = new QTextBrowser(this);
    const QUrl address = QUrl::fromUserInput(url);
    if (address.isLocalFile() || address.scheme() == QLatin1String("qrc")) {
        page->setSource(address);
    } else {
        page->setPlainText(url);  // nothing is fetched from the network
    }
    layout->addWidget(page);
    layout->addWidget(CloseButtons(this));
    resize(640, 480);
}

}  // namespace tavi::automation
