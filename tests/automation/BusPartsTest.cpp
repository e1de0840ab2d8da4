// The pieces of the bus transport that need no bus: the argument codec, the table of
// published objects, and the per-user registration files.
#include "automation/dbus/ArgumentCodec.h"
#include "automation/dbus/ObjectTable.h"
#include "automation/dispatch/DispatchException.h"
#include "automation/dispatch/DispatchObject.h"
#include "automation/registration/DesktopRegistration.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace tavi::automation;

namespace {

class Thing : public DispatchObject {
public:
    QString TypeName() const override { return QStringLiteral("Thing"); }
};

uint32_t DecodeResult(const QVariant& argument) {
    try {
        ArgumentCodec::DecodeOne(argument, 0, {});
    } catch (const DispatchException& e) {
        return e.GetResult();
    }
    return 0;
}

}  // namespace

TEST(ArgumentCodec, DecodesTheWireTypesAndRefusesTheRest) {
    const struct {
        QVariant wire;
        Variant::Type type;
        QVariant expected;
    } accepted[] = {
        {true, Variant::Type::Bool, true},
        {QVariant::fromValue(short(-3)), Variant::Type::Int16, -3},
        {QVariant::fromValue(uchar(200)), Variant::Type::Int32, 200},
        {QVariant::fromValue(uint(7)), Variant::Type::Int32, 7},
        {QVariant::fromValue(qlonglong(-2147483648LL)), Variant::Type::Int32, -2147483647 - 1},
        {2.5, Variant::Type::Double, 2.5},
        {QStringLiteral("x"), Variant::Type::String, QStringLiteral("x")},
        {QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(5)))),
         Variant::Type::Int32, 5},
    };
    for (const auto& c : accepted) {
        const Variant value = ArgumentCodec::DecodeOne(c.wire, 0, {});
        EXPECT_EQ(value.GetType(), c.type) << c.wire.typeName();
    }
    EXPECT_EQ(DecodeResult(QVariant::fromValue(qulonglong(std::numeric_limits<qulonglong>::max()))),
              hresult::kTypeMismatch);
    EXPECT_EQ(DecodeResult(QVariant::fromValue(uint(3000000000u))), hresult::kTypeMismatch);
    EXPECT_EQ(DecodeResult(QStringList{QStringLiteral("a")}), hresult::kTypeMismatch);
    EXPECT_EQ(DecodeResult(QVariant::fromValue(QDBusObjectPath(QStringLiteral("/nowhere")))),
              hresult::kTypeMismatch);
    EXPECT_EQ(DecodeResult(QVariant()), hresult::kTypeMismatch);
    EXPECT_TRUE(
        ArgumentCodec::DecodeOne(QVariant::fromValue(QDBusObjectPath(QStringLiteral("/"))), 0, {})
            .ToObject() == nullptr);
    QVariantList tooMany(ArgumentCodec::kMaxArguments + 1, 1);
    EXPECT_THROW(ArgumentCodec::Decode(tooMany, {}), DispatchException);
}

TEST(ArgumentCodec, EncodesObjectsAsTheirPaths) {
    auto thing = std::make_shared<Thing>();
    const auto publish = [&](const std::shared_ptr<DispatchObject>& object) {
        return object == thing ? QStringLiteral("/t/1") : QStringLiteral("/other");
    };
    EXPECT_EQ(ArgumentCodec::Encode(Variant::FromDispatch(thing), publish)
                  .variant()
                  .value<QDBusObjectPath>()
                  .path(),
              QStringLiteral("/t/1"));
    EXPECT_EQ(ArgumentCodec::Encode(Variant::FromDispatch(nullptr), publish)
                  .variant()
                  .value<QDBusObjectPath>()
                  .path(),
              QStringLiteral("/"));
    EXPECT_EQ(ArgumentCodec::Encode(Variant::FromInt16(4), publish).variant().metaType(),
              QMetaType::fromType<short>());
}

TEST(ObjectTable, OneObjectOnePathAndAClientsObjectsGoWithIt) {
    ObjectTable table(QStringLiteral("/r"));
    auto pinned = std::make_shared<Thing>();
    auto mine = std::make_shared<Thing>();
    const QString pinnedPath = table.Publish(pinned, {});
    const QString minePath = table.Publish(mine, QStringLiteral(":1.5"));
    EXPECT_EQ(table.Publish(mine, QStringLiteral(":1.5")), minePath);
    EXPECT_NE(pinnedPath, minePath);
    EXPECT_FALSE(table.Release(pinnedPath)) << "the window's own objects stay";
    EXPECT_TRUE(table.Release(minePath));
    EXPECT_FALSE(table.Release(minePath));
    EXPECT_EQ(table.Find(minePath), nullptr);
    std::weak_ptr<Thing> watched;
    for (int i = 0; i < 100000; ++i) {
        auto object = std::make_shared<Thing>();
        if (i == 0) {
            watched = object;
        }
        table.Publish(object, QStringLiteral(":1.9"));
    }
    EXPECT_EQ(table.Size(), 100001);
    EXPECT_EQ(table.ReleaseOwner(QStringLiteral(":1.9")), 100000);
    EXPECT_EQ(table.Size(), 1);
    EXPECT_TRUE(watched.expired()) << "released objects are destroyed";
}

TEST(DesktopRegistration, RegisterWritesTheThreeFilesAndUnregisterRemovesThem) {
    QTemporaryDir home;
    DesktopRegistration registration(home.path(), QStringLiteral("/opt/my tavi/tavi"));
    EXPECT_TRUE(registration.Register().isEmpty());
    QFile service(registration.ServiceFile());
    ASSERT_TRUE(service.open(QIODevice::ReadOnly));
    const QByteArray serviceText = service.readAll();
    EXPECT_TRUE(serviceText.contains("Name=org.kestrova.Tavi")) << serviceText.constData();
    EXPECT_TRUE(serviceText.contains("Exec=\"/opt/my tavi/tavi\" -Automation"))
        << serviceText.constData();
    QFile desktop(registration.DesktopFile());
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QByteArray desktopText = desktop.readAll();
    EXPECT_TRUE(desktopText.contains("\nExec=\"/opt/my tavi/tavi\" -dde %F\n"))
        << desktopText.constData();
    EXPECT_TRUE(desktopText.contains("\nExec=\"/opt/my tavi/tavi\" -dde --play-folder\n"))
        << "the folder action runs the same program";
    EXPECT_FALSE(desktopText.contains("Exec=tavi")) << desktopText.constData();
    EXPECT_FALSE(desktopText.contains("inode/directory"))
        << "Tavi must not become the folder opener";
    EXPECT_TRUE(QFile::exists(registration.MimeFile()));
    EXPECT_TRUE(registration.Unregister().isEmpty());
    for (const QString& path :
         {registration.ServiceFile(), registration.DesktopFile(), registration.MimeFile()}) {
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    }
    EXPECT_TRUE(registration.Unregister().isEmpty()) << "nothing to remove is no error";
}
