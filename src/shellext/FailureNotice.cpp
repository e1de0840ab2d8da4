#include "FailureNotice.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

namespace tavi::shellext {

bool FailureNotice::InDesktopSession() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool FailureNotice::Show(QDBusConnection bus, const QString& caption, const QString& text,
                         bool inSession) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (!inSession || !bus.isConnected()) {
        return false;
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The body is markup to some servers; the message is plain text, and its CR LF one break.
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body = body.toHtmlEscaped();
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    notify << caption << uint(0) << QStringLiteral("dialog-error") << caption << body
           << QStringList() << hints << int(-1);
    const QDBusMessage reply = bus.call(notify, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace tavi::shellext
