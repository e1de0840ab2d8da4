#include "FilePropertiesDialog.h"

#include "formats/metadata/TrackTags.h"
#include "playlist/FormatDuration.h"

#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QVBoxLayout>

namespace tavi::frame {

namespace {

QLabel* Selectable(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString Permissions(const QFileInfo& info) {
    QStringList parts;
    if (info.isReadable())
        parts.append(QDialog::tr("read"));
    if (info.isWritable())
        parts.append(QDialog::tr("write"));
    if (info.isExecutable())
        parts.append(QDialog::tr("execute"));
    return parts.join(QStringLiteral(", "));
}

// The track's tags, those it has.
void AddTagRows(QFormLayout* form, const QString& path) {
    const formats::TrackTags tags = formats::ReadTrackTags(path);
    const std::pair<QString, QString> rows[] = {
        {QDialog::tr("Title:"), tags.title},
        {QDialog::tr("Artist:"), tags.artist},
        {QDialog::tr("Album:"), tags.album},
        {QDialog::tr("Track:"),
         tags.trackNumber > 0 ? QString::number(tags.trackNumber) : QString()},
        {QDialog::tr("Year:"), tags.year},
        {QDialog::tr("Genre:"), tags.genre},
        {QDialog::tr("Length:"),
         tags.lengthSeconds ? playlist::FormatDurationSeconds(*tags.lengthSeconds) : QString()},
    };
    for (const auto& [label, value] : rows) {
        if (!value.isEmpty()) {
            form->addRow(label, Selectable(value));
        }
    }
}

}  // namespace

FilePropertiesDialog::FilePropertiesDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    const QFileInfo info(path);
    setWindowTitle(tr("%1 Properties").arg(info.fileName()));
    const QLocale locale;
    auto* form = new QFormLayout;
    auto* icon = new QLabel;
    icon->setPixmap(QFileIconProvider().icon(info).pixmap(32, 32));
    form->addRow(icon, Selectable(info.fileName()));
    form->addRow(tr("Type:"), Selectable(QMimeDatabase().mimeTypeForFile(info).comment()));
    form->addRow(tr("Location:"), Selectable(info.absolutePath()));
    form->addRow(tr("Size:"), Selectable(tr("%1 (%2 bytes)")
                                             .arg(locale.formattedDataSize(info.size()))
                                             .arg(locale.toString(info.size()))));
    form->addRow(tr("Modified:"),
                 Selectable(locale.toString(info.lastModified(), QLocale::LongFormat)));
    form->addRow(tr("Accessed:"),
                 Selectable(locale.toString(info.lastRead(), QLocale::LongFormat)));
    form->addRow(tr("Permissions:"), Selectable(Permissions(info)));
    AddTagRows(form, path);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace tavi::frame
