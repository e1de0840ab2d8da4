// The bus arguments of a late-bound call, built from the input as a client could send them
// (any wire type, nested variants, object paths), decoded and handed to a real object.
#include "automation/dbus/ArgumentCodec.h"
#include "automation/dispatch/DispatchException.h"
#include "automation/objects/CMacrosCollection.h"
#include "automation/script/CMacroList.h"
#include "platform/registry/Registry.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tavi::automation;

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_pos >= m_size; }
    uint8_t Byte() { return AtEnd() ? 0 : m_data[m_pos++]; }
    template <typename T>
    T Number() {
        T value{};
        const size_t n = std::min(sizeof(T), m_size - std::min(m_pos, m_size));
        std::memcpy(&value, m_data + m_pos, n);
        m_pos += n;
        return value;
    }
    QString Text() {
        const size_t length = std::min<size_t>(Byte(), m_size - std::min(m_pos, m_size));
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(length));
        m_pos += length;
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

QVariant Value(Reader& in, int depth) {
    switch (in.Byte() % 14) {
        case 0:
            return bool(in.Byte() & 1);
        case 1:
            return QVariant::fromValue(in.Number<short>());
        case 2:
            return in.Number<int>();
        case 3:
            return QVariant::fromValue(in.Number<uchar>());
        case 4:
            return QVariant::fromValue(in.Number<ushort>());
        case 5:
            return in.Number<uint>();
        case 6:
            return in.Number<qlonglong>();
        case 7:
            return in.Number<qulonglong>();
        case 8:
            return in.Number<double>();
        case 9:
            return in.Text();
        case 10:
            return QVariant::fromValue(QDBusObjectPath(in.Text()));
        case 11:
            return depth < 4 ? QVariant::fromValue(QDBusVariant(Value(in, depth + 1))) : QVariant();
        case 12:
            return QStringList{in.Text(), in.Text()};
        default:
            return QVariant();
    }
}

}  // namespace

// The macro list keeps its macros in the registry: one list over a hive in a private folder
// serves every input, as one player serves every client.
CMacroList& SharedList() {
    static CMacroList* list = [] {
        char folder[] = "/tmp/tavi-fuzz-XXXXXX";
        if (mkdtemp(folder)) {
            setenv("XDG_CONFIG_HOME", folder, 1);
        }
        tavi::reg::Registry::resetInstance();
        return new CMacroList([] {
            return tavi::reg::Registry::instance().open(
                tavi::reg::Root::CurrentUser, QStringLiteral("Software\\Kestrova\\Tavi"), true);
        });
    }();
    return *list;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in(data, size);
    CMacroList& list = SharedList();
    list.RemoveAll();
    list.CreateMacro(QStringLiteral("one"));
    auto macros = std::make_shared<CMacrosCollection>(list);
    const int id = int(in.Byte() % 8) - 4;
    const uint16_t flags = in.Byte() % 8;
    QVariantList arguments;
    const int count = in.Byte() % 80;
    for (int i = 0; i < count && !in.AtEnd(); ++i) {
        arguments.append(Value(in, 0));
    }
    auto resolve = [&](const QString& path) -> std::shared_ptr<DispatchObject> {
        return path == QLatin1String("/org/kestrova/Tavi/Macros1") ? macros : nullptr;
    };
    try {
        const auto decoded = ArgumentCodec::Decode(arguments, resolve);
        const Variant result = macros->Invoke(id, flags, decoded);
        ArgumentCodec::Encode(result, [](const auto&) { return QStringLiteral("/o"); });
    } catch (const DispatchException&) {
        // Refusals are the expected answer to most inputs.
    }
    return 0;
}
