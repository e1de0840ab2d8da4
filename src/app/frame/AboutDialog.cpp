#include "AboutDialog.h"

#include "FrameIcons.h"
#include "app/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <gst/gst.h>
#include <taglib/taglib.h>

namespace tavi::frame {

namespace {

QWidget* TextPage(const QString& html) {
    auto* text = new QTextBrowser;
    text->setOpenExternalLinks(true);
    text->setHtml(html);
    return text;
}

QWidget* ProgramPage() {
    auto* page = new QWidget;
    auto* icon = new QLabel;
    icon->setPixmap(ResourceIcon(kAppIcon).pixmap(64, 64));
    auto* text =
        new QLabel(QDialog::tr("<h2>Tavi %1</h2><p>A multimedia player for the desktop: "
                               "build a playlist of music, video and pauses and play it.</p>"
                               "<p>Copyright &copy; Kestrova</p>")
                       .arg(QStringLiteral(TAVI_VERSION_STRING)));
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addStretch();
    return page;
}

// "GStreamer 1.22.0" without the name; the string is ours to free.
QString GStreamerVersion() {
    gchar* text = gst_version_string();
    const QString version = QString::fromUtf8(text).section(QLatin1Char(' '), 1);
    g_free(text);
    return version;
}

QString LibrariesHtml() {
    return QDialog::tr(
               "<p>Tavi is built on:</p><ul><li>Qt %1</li><li>GStreamer %2</li>"
               "<li>TagLib %3.%4</li><li>ALSA</li></ul>")
        .arg(QString::fromLatin1(qVersion()), GStreamerVersion())
        .arg(TAGLIB_MAJOR_VERSION)
        .arg(TAGLIB_MINOR_VERSION);
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_pages(new QTabWidget(this)) {
    setWindowTitle(tr("About Tavi"));
    m_pages->addTab(ProgramPage(), tr("Program"));
    m_pages->addTab(
        TextPage(tr("<h3>Author</h3><p>Tavi is written and looked after by the Kestrova "
                    "developers.</p><p>Write to us through the project's issue tracker.</p>")),
        tr("Author"));
    m_pages->addTab(TextPage(tr("<h3>Credits</h3><p>Thanks to everyone who tested Tavi, reported "
                                "faults and sent playlists that broke it.</p>")),
                    tr("Credits"));
    m_pages->addTab(TextPage(LibrariesHtml()), tr("Libraries"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    resize(420, 340);
}

}  // namespace tavi::frame
