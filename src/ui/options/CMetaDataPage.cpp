#include "CMetaDataPage.h"

#include "app/settings/ViewSettings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace tavi::ui {

namespace {

const QString kLegend = QStringLiteral(
    "$(Artist)  $(Title)\n$(Album)  $(Year)\n$(Genre)  $(Rating)\n$(Description)  $(Copyright)");

QWidget* Introduction(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* icon = new QLabel(row);
    icon->setPixmap(
        row->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(QSize(32, 32)));
    auto* text =
        new QLabel(CMetaDataPage::tr("Configure the display format for media items using "
                                     "meta-information that is stored in the media files."),
                   row);
    text->setWordWrap(true);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    return row;
}

}  // namespace

CMetaDataPage::CMetaDataPage(QWidget* parent)
    : COptionsPage(parent),
      m_useMetaData(new QCheckBox(tr("Use meta-data in MP3 and Windows Media files"))),
      m_formatLabel(new QLabel(tr("Use this format to display media items"))),
      m_format(new QLineEdit),
      m_legendLabel(new QLabel(tr("Available macros are:"))),
      m_legend(new QPlainTextEdit) {
    setWindowTitle(tr("Meta Data"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Introduction(this));
    layout->addWidget(m_useMetaData);
    layout->addWidget(m_formatLabel);
    layout->addWidget(m_format);
    layout->addWidget(m_legendLabel);
    layout->addWidget(m_legend);
    layout->addStretch(1);
    m_formatLabel->setBuddy(m_format);
    m_legend->setReadOnly(true);
    m_legend->setPlainText(kLegend);

    const settings::ViewSettings& settings = settings::viewSettings();
    m_useMetaData->setChecked(settings.useMetaData);
    // No input limit on the edit: a longer stored pattern is shown whole and refused on OK
    // rather than cut silently.
    m_format->setText(settings.displayNameFormat);
    connect(m_useMetaData, &QCheckBox::toggled, this, &CMetaDataPage::UpdateEnabling);
    UpdateEnabling();
}

void CMetaDataPage::UpdateEnabling() {
    const bool on = m_useMetaData->isChecked();
    for (QWidget* control :
         {static_cast<QWidget*>(m_format), static_cast<QWidget*>(m_formatLabel),
          static_cast<QWidget*>(m_legendLabel), static_cast<QWidget*>(m_legend)}) {
        control->setEnabled(on);
    }
}

bool CMetaDataPage::Validate(QString* message) {
    if (m_format->text().size() > kMaxFormatLength) {
        m_format->setFocus();
        m_format->selectAll();
        if (message) {
            *message = tr("Enter no more than %1 characters.").arg(kMaxFormatLength);
        }
        return false;
    }
    return true;
}

void CMetaDataPage::Apply() {
    settings::ViewSettings& settings = settings::viewSettings();
    settings.useMetaData = m_useMetaData->isChecked();
    settings.displayNameFormat = m_format->text();
}

}  // namespace tavi::ui
