#include "MalformedCorpus.h"

#include "automation/dbus/AutomationBus.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace tavi::test {

namespace {

using automation::AutomationBus;

constexpr qsizetype kHugeText = 10 * 1024 * 1024;

QDBusMessage Call(const QString& path, const QString& interface, const QString& member,
                  const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(AutomationBus::kService, path, interface, member);
    call.setArguments(arguments);
    return call;
}

QVariant Wrapped(const QVariant& value) {
    return QVariant::fromValue(QDBusVariant(value));
}

}  // namespace

MalformedCorpus::MalformedCorpus(QList<Target> targets, QStringList releasedPaths, uint32_t seed)
    : m_targets(std::move(targets)), m_released(std::move(releasedPaths)), m_random(seed) {}

QDBusMessage MalformedCorpus::Next() {
    ++m_count;
    if (m_count % 2500 == 1) {  // a few 10-MB texts: enough to find a copy too many
        return Call(RandomTarget().path, AutomationBus::kDispatchInterface,
                    QStringLiteral("GetIDsOfNames"), {QStringList{QString(kHugeText, u'x')}});
    }
    switch (std::uniform_int_distribution<int>(0, 9)(m_random)) {
        case 0:
        case 1:
        case 2:
            return RandomInvoke();
        case 3:
            return WrongSignature();
        case 4:
            return RandomNames();
        case 5:
            return RandomProperty();
        case 6:
            return UnknownMember();
        case 7:
            return ReleasedObject();
        case 8:
            return RootCall();
        default:
            return DeepSendKeys();
    }
}

const MalformedCorpus::Target& MalformedCorpus::RandomTarget() {
    return m_targets[std::uniform_int_distribution<qsizetype>(0, m_targets.size() - 1)(m_random)];
}

int MalformedCorpus::RandomId(const Target& target) {
    for (;;) {
        const int pick = std::uniform_int_distribution<int>(0, 9)(m_random);
        const int id =
            pick < 7 ? std::uniform_int_distribution<int>(-6, 240)(m_random) : int(m_random());
        if (!target.avoid.contains(id)) {
            return id;
        }
    }
}

QString MalformedCorpus::RandomText() {
    static const QString samples[] = {QString(),
                                      QString(QChar(0)) + QChar(0xFFFF) + QChar(0xD800),
                                      QStringLiteral("../../../etc/passwd"),
                                      QStringLiteral("%s%n%x"),
                                      QStringLiteral("$(FilePath)"),
                                      QString(4096, u'\u00e9'),
                                      QStringLiteral("/org/kestrova/Tavi/1"),
                                      QStringLiteral("-1"),
                                      QStringLiteral("1e309")};
    const int pick = std::uniform_int_distribution<int>(0, 11)(m_random);
    if (pick < int(std::size(samples))) {
        return samples[pick];
    }
    QString text;
    const int length = std::uniform_int_distribution<int>(0, 64)(m_random);
    for (int i = 0; i < length; ++i) {
        text += QChar(char16_t(std::uniform_int_distribution<int>(1, 0xD7FF)(m_random)));
    }
    return text;
}

QVariant MalformedCorpus::RandomValue(int depth) {
    switch (std::uniform_int_distribution<int>(0, depth > 0 ? 9 : 7)(m_random)) {
        case 0:
            return int(m_random());
        case 1:
            return uint(m_random());
        case 2:
            return bool(m_random() & 1);
        case 3:
            return double(int(m_random())) / 7.0;
        case 4:
            return RandomText();
        case 5:
            return QVariant::fromValue(
                QDBusObjectPath(m_released.isEmpty() ? AutomationBus::kRoot : m_released.first()));
        case 6:
            return QByteArray(int(m_random() % 300), '\xff');
        case 7:
            return QVariant::fromValue(qlonglong(m_random()) << 31);
        case 8: {
            QVariantList nested;
            const int count = std::uniform_int_distribution<int>(0, 4)(m_random);
            for (int i = 0; i < count; ++i) {
                nested << Wrapped(RandomValue(depth - 1));
            }
            return QVariant::fromValue(nested);
        }
        default:
            return Wrapped(RandomValue(depth - 1));
    }
}

QDBusMessage MalformedCorpus::RandomInvoke() {
    const Target& target = RandomTarget();
    QVariantList arguments;
    const int count = std::uniform_int_distribution<int>(0, 6)(m_random);
    for (int i = 0; i < count; ++i) {
        arguments << Wrapped(RandomValue(std::uniform_int_distribution<int>(0, 12)(m_random)));
    }
    static const ushort flags[] = {0, 1, 2, 3, 4, 8, 12, 0xffff};
    return Call(target.path, AutomationBus::kDispatchInterface, QStringLiteral("Invoke"),
                {RandomId(target), QVariant::fromValue(flags[m_random() % std::size(flags)]),
                 QVariant::fromValue(arguments)});
}

// Right member, wrong argument types or counts on the bus itself.
QDBusMessage MalformedCorpus::WrongSignature() {
    QVariantList arguments;
    const int count = std::uniform_int_distribution<int>(0, 5)(m_random);
    for (int i = 0; i < count; ++i) {
        arguments << RandomValue(2);
    }
    static const QString members[] = {QStringLiteral("Invoke"), QStringLiteral("GetIDsOfNames"),
                                      QStringLiteral("Release")};
    return Call(RandomTarget().path, AutomationBus::kDispatchInterface,
                members[m_random() % std::size(members)], arguments);
}

QDBusMessage MalformedCorpus::RandomNames() {
    QStringList names;
    const int count = std::uniform_int_distribution<int>(0, 40)(m_random);
    for (int i = 0; i < count; ++i) {
        names << RandomText();
    }
    return Call(RandomTarget().path, AutomationBus::kDispatchInterface,
                QStringLiteral("GetIDsOfNames"), {names});
}

QDBusMessage MalformedCorpus::RandomProperty() {
    static const QString interfaces[] = {AutomationBus::kObjectInterface,
                                         AutomationBus::kDispatchInterface, QString(),
                                         QStringLiteral("no.such.Interface")};
    const QString interface = interfaces[m_random() % std::size(interfaces)];
    const QString path = RandomTarget().path;
    const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
    switch (m_random() % 3) {
        case 0:
            return Call(path, properties, QStringLiteral("Get"), {interface, RandomText()});
        case 1:
            return Call(path, properties, QStringLiteral("GetAll"), {interface});
        default:
            return Call(path, properties, QStringLiteral("Set"),
                        {interface, RandomText(), Wrapped(RandomValue(3))});
    }
}

QDBusMessage MalformedCorpus::UnknownMember() {
    static const QString interfaces[] = {AutomationBus::kObjectInterface,
                                         AutomationBus::kRootInterface,
                                         QStringLiteral("org.freedesktop.DBus.Introspectable")};
    const QString path = m_random() % 2 ? RandomTarget().path
                                        : AutomationBus::kRoot + QStringLiteral("/") +
                                              QString::number(m_random() % 100000);
    QVariantList arguments;
    if (m_random() % 2) {
        arguments << RandomValue(3);
    }
    const QString member = m_random() % 3 ? QStringLiteral("Nothing%1").arg(m_random() % 50)
                                          : QStringLiteral("Introspect");
    return Call(path, interfaces[m_random() % std::size(interfaces)], member, arguments);
}

QDBusMessage MalformedCorpus::ReleasedObject() {
    const QString path =
        m_released.isEmpty() ? AutomationBus::kRoot : m_released[m_random() % m_released.size()];
    return Call(path, AutomationBus::kDispatchInterface, QStringLiteral("Invoke"),
                {int(m_random() % 12), QVariant::fromValue(ushort(m_random() % 4)),
                 QVariant::fromValue(QVariantList{Wrapped(RandomValue(1))})});
}

QDBusMessage MalformedCorpus::RootCall() {
    switch (m_random() % 4) {
        case 0:
            return Call(
                AutomationBus::kRoot, AutomationBus::kRootInterface, QStringLiteral("Release"),
                {QVariant::fromValue(QDBusObjectPath(AutomationBus::kRoot + QStringLiteral("/") +
                                                     QString::number(m_random() % 5000)))});
        case 1:
            return Call(AutomationBus::kRoot, AutomationBus::kRootInterface,
                        QStringLiteral("CreateApplication"), {RandomValue(1)});
        case 2:
            return Call(AutomationBus::kRoot, AutomationBus::kRootInterface,
                        QStringLiteral("Release"), {RandomText()});
        default:
            return Call(AutomationBus::kRoot, AutomationBus::kRootInterface,
                        QStringLiteral("ObjectCount"), {RandomValue(0)});
    }
}

// Nesting too deep or never closed: the text must be refused or typed, never overflow.
QDBusMessage MalformedCorpus::DeepSendKeys() {
    const int depth = std::uniform_int_distribution<int>(1, 20000)(m_random);
    QString keys;
    switch (m_random() % 4) {
        case 0:
            keys = QString(depth, u'(') + u'a';
            break;
        case 1:
            keys = QStringLiteral("+(").repeated(depth) + u'b' + QString(depth, u')');
            break;
        case 2:
            keys = QString(depth, u'{');
            break;
        default:
            keys = QStringLiteral("{a ") + QString::number(m_random()) + u'}';
            break;
    }
    return Call(
        m_targets.first().path, AutomationBus::kDispatchInterface, QStringLiteral("Invoke"),
        {7, QVariant::fromValue(ushort(1)), QVariant::fromValue(QVariantList{Wrapped(keys)})});
}

}  // namespace tavi::test
