#pragma once

#include "../ObjectTestSupport.h"

#include "automation/mpris/MprisPlayer.h"
#include "automation/mpris/MprisPlaylists.h"
#include "automation/mpris/MprisRoot.h"
#include "automation/mpris/MprisTrackList.h"
#include "automation/mpris/TrackIds.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QUrl>

namespace tavi::test {

// Collects the signals a client sees on its own connection.
class SignalLog : public QObject {
    Q_OBJECT
public:
    QList<QDBusMessage> messages;
    QList<QDBusMessage> named(const QString& member) const {
        QList<QDBusMessage> found;
        for (const QDBusMessage& message : messages) {
            if (message.member() == member) {
                found.append(message);
            }
        }
        return found;
    }
public Q_SLOTS:
    void take(const QDBusMessage& message) { messages.append(message); }
};

// The MPRIS adaptors over a real document and player, exported on the session bus of a
// private daemon; calls come from a second connection, through the daemon, as a desktop
// tool's would.
class MprisTest : public ObjectModelTest {
protected:
    MprisTest()
        : ObjectModelTest(false),
          client(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                               QStringLiteral("client"))) {
        host->hasWindow = false;
        exported = new QObject;
        new automation::MprisRoot(*host, exported);
        ids = new automation::TrackIds(doc->model(), exported);
        new automation::MprisTrackList(*host, *ids, exported);
        new automation::MprisPlayer(*host, ids, exported);
        new automation::MprisPlaylists(
            *host, [this] { return recent; }, exported);
        QDBusConnection::sessionBus().registerObject(automation::MprisPlayer::kObjectPath, exported,
                                                     QDBusConnection::ExportAdaptors);
        service = QDBusConnection::sessionBus().baseService();
        for (const char* member : {"TrackListReplaced", "TrackAdded", "TrackRemoved",
                                   "TrackMetadataChanged", "PropertiesChanged"}) {
            client.connect(service, automation::MprisPlayer::kObjectPath, QString(),
                           QString::fromLatin1(member), &log, SLOT(take(QDBusMessage)));
        }
    }
    ~MprisTest() override {
        QDBusConnection::sessionBus().unregisterObject(automation::MprisPlayer::kObjectPath);
        delete exported;
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    // A call through the bus, the event loop running until the answer is in.
    QDBusMessage Call(const QString& interface, const QString& member,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            service, automation::MprisPlayer::kObjectPath, interface, member);
        message.setArguments(arguments);
        QDBusPendingCall pending = client.asyncCall(message);
        processEventsUntil([&] { return pending.isFinished(); }, 10000);
        return pending.reply();
    }
    QDBusMessage TrackList(const QString& member, const QVariantList& arguments = {}) {
        return Call(automation::MprisTrackList::kInterface, member, arguments);
    }
    QVariant Property(const QString& interface, const QString& name) {
        const QDBusMessage reply = Call(QStringLiteral("org.freedesktop.DBus.Properties"),
                                        QStringLiteral("Get"), {interface, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QList<QDBusObjectPath> Tracks() {
        return qdbus_cast<QList<QDBusObjectPath>>(
            Property(automation::MprisTrackList::kInterface, QStringLiteral("Tracks")));
    }
    // Lets signals sent by the adaptors reach the client.
    void drain() { processEventsFor(200); }

    QDBusConnection client;
    QObject* exported = nullptr;
    automation::TrackIds* ids = nullptr;
    QString service;
    QStringList recent;
    SignalLog log;
};

}  // namespace tavi::test
