#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>

namespace tavi::automation {

class AutomationHost;

// org.mpris.MediaPlayer2: the player's identity for desktop media controls, Raise and Quit.
class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    MprisRoot(AutomationHost& host, QObject* parent);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return true; }
    QString Identity() const { return QStringLiteral("Tavi"); }
    QString DesktopEntry() const { return QStringLiteral("org.kestrova.Tavi"); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const { return {}; }

public Q_SLOTS:
    void Raise();
    void Quit();

private:
    AutomationHost& m_host;
};

}  // namespace tavi::automation
