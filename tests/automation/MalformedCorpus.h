#pragma once

#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

namespace tavi::test {

// Bad calls for the player's automation objects: wrong types and counts, unknown dispatch
// identifiers and members, released and made-up object paths, huge strings, deep nesting of
// arguments and of SendKeys text. Members that open dialogs, quit, sleep, run programs or
// write files are never called: a box waiting for a person is not a crash, only a stall.
class MalformedCorpus {
public:
    struct Target {
        QString path;
        QList<int> avoid;  // dispatch identifiers of that object never to call
    };
    MalformedCorpus(QList<Target> targets, QStringList releasedPaths, uint32_t seed);

    // The next bad call; none of them may crash or stall the player.
    QDBusMessage Next();

private:
    QDBusMessage RandomInvoke();
    QDBusMessage WrongSignature();
    QDBusMessage RandomNames();
    QDBusMessage RandomProperty();
    QDBusMessage UnknownMember();
    QDBusMessage ReleasedObject();
    QDBusMessage RootCall();
    QDBusMessage DeepSendKeys();
    QVariant RandomValue(int depth);
    QString RandomText();
    int RandomId(const Target& target);
    const Target& RandomTarget();

    QList<Target> m_targets;
    QStringList m_released;
    std::mt19937 m_random;
    int m_count = 0;
};

}  // namespace tavi::test
