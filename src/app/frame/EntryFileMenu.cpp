#include "EntryFileMenu.h"

#include "platform/fs/Trash.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

namespace tavi::frame {

namespace {

// The file manager's "show this item" call (org.freedesktop.FileManager1); without one, the
// folder is opened. Asynchronous: a file manager slow to start must not freeze the window.
void ShowInFolder(const QString& path) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 2000), qApp);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, qApp,
        [watcher, path](QDBusPendingCallWatcher*) {
            if (watcher->isError()) {
                QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
            }
            watcher->deleteLater();
        });
}

}  // namespace

bool IsFileEntry(const QString& path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.isAbsolute() && info.exists() && info.isFile();
}

bool MoveEntryFileToTrash(const QString& path, QString* error) {
    const fs::Trash::Result result = fs::Trash::MoveToTrash(path);
    if (!result.ok && error) {
        *error = result.error;
    }
    return result.ok;
}

void FillEntryFileMenu(QMenu* menu, const QString& path, QWidget* parent) {
    if (!IsFileEntry(path)) {
        return;
    }
    menu->addAction(QMenu::tr("&Open with Default Application"),
                    [path] { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    menu->addAction(QMenu::tr("&Show in Folder"), [path] { ShowInFolder(path); });
    menu->addAction(QMenu::tr("&Copy Path"), [path] { QApplication::clipboard()->setText(path); });
    menu->addSeparator();
    menu->addAction(QMenu::tr("Move to &Trash"), [path, parent] {
        QString error;
        if (!MoveEntryFileToTrash(path, &error)) {
            QMessageBox::warning(parent, QStringLiteral("Tavi"),
                                 QMenu::tr("Could not move %1 to the trash: %2").arg(path, error));
        }
    });
}

}  // namespace tavi::frame
