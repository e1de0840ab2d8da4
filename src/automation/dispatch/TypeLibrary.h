#pragma once

#include <QString>
#include <QUuid>

#include <vector>

namespace tavi::automation {

// The object model's type library: the library's identity and version, its dispatch
// interfaces and the classes that implement them, as class information reports them.
struct TypeLibrary {
    struct Interface {
        QString name;
        QUuid iid;
        QString helpString;
        std::vector<std::pair<QString, int>> members;  // listed for event interfaces
    };
    struct Coclass {
        QString name;
        QUuid clsid;
        QString helpString;
        QString defaultInterface;
        QString eventInterface;  // empty when the class raises no events
    };

    QString name;
    QUuid libid;
    int majorVersion = 0;
    int minorVersion = 0;
    int locale = 0;
    std::vector<Interface> interfaces;
    std::vector<Coclass> coclasses;

    const Interface* FindInterface(const QString& interfaceName) const;
    const Coclass* FindCoclass(const QUuid& clsid) const;

    // The one type library of the program.
    static const TypeLibrary& Tavi();
};

}  // namespace tavi::automation
