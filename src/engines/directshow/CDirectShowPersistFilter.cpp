#include "CDirectShowPersistFilter.h"

#include <QCoreApplication>

namespace tavi::engines {

namespace {

const QString kName = QStringLiteral("Name");
const QString kClsid = QStringLiteral("CLSID");
const QString kData = QStringLiteral("Data");

// Properties that identify the element rather than configure it.
bool IsSettingProperty(const GParamSpec* spec) {
    const GParamFlags needed = GParamFlags(G_PARAM_READABLE | G_PARAM_WRITABLE);
    if ((spec->flags & needed) != needed || (spec->flags & G_PARAM_CONSTRUCT_ONLY)) {
        return false;
    }
    const QByteArray name(spec->name);
    return name != "name" && name != "parent";
}

}  // namespace

QByteArray CDirectShowPersistFilter::SerializeProperties(GstElement* element) {
    QByteArray data;
    guint count = 0;
    GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(element), &count);
    for (guint i = 0; i < count; ++i) {
        if (!IsSettingProperty(specs[i])) {
            continue;
        }
        GValue value = G_VALUE_INIT;
        g_value_init(&value, specs[i]->value_type);
        g_object_get_property(G_OBJECT(element), specs[i]->name, &value);
        if (gchar* text = gst_value_serialize(&value)) {
            data += QByteArray(specs[i]->name) + '=' + QByteArray(text).replace('\n', ' ') + '\n';
            g_free(text);
        }
        g_value_unset(&value);
    }
    g_free(specs);
    return data;
}

bool CDirectShowPersistFilter::ApplyProperties(GstElement* element, const QByteArray& data) {
    for (const QByteArray& line : data.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (line.isEmpty()) {
            continue;
        }
        if (equals <= 0) {
            return false;
        }
        const QByteArray name = line.left(equals);
        GParamSpec* spec =
            g_object_class_find_property(G_OBJECT_GET_CLASS(element), name.constData());
        if (!spec || !IsSettingProperty(spec)) {
            continue;  // a property this version of the element no longer has
        }
        GValue value = G_VALUE_INIT;
        g_value_init(&value, spec->value_type);
        const bool parsed = gst_value_deserialize(&value, line.mid(equals + 1).constData());
        if (parsed) {
            g_object_set_property(G_OBJECT(element), name.constData(), &value);
        }
        g_value_unset(&value);
        if (!parsed) {
            return false;
        }
    }
    return true;
}

gst::ElementPtr CDirectShowPersistFilter::Create(QString* error) const {
    gst::ElementPtr element = gst::MakeElement(factory.toLatin1().constData(), nullptr, error);
    if (element && data && !ApplyProperties(element.get(), *data)) {
        *error = QCoreApplication::translate("CDirectShowTrack",
                                             "The saved settings of '%1' could not be loaded.")
                     .arg(name);
        return nullptr;
    }
    return element;
}

CDirectShowPersistFilter CDirectShowPersistFilter::Capture(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    CDirectShowPersistFilter filter;
    filter.factory = factory ? QString::fromLatin1(GST_OBJECT_NAME(factory)) : QString();
    filter.name = factory ? QString::fromUtf8(gst_element_factory_get_metadata(
                                factory, GST_ELEMENT_METADATA_LONGNAME))
                          : QString::fromUtf8(GST_OBJECT_NAME(element));
    filter.data = SerializeProperties(element);
    return filter;
}

void CDirectShowPersistFilter::Load(const reg::RegKey& key) {
    name = key.stringValue(kName).value_or(QString());
    factory = key.stringValue(kClsid).value_or(QString());
    data.reset();
    if (const auto value = key.value(kData); value && value->type == reg::ValueType::Binary) {
        data = value->data;
    }
}

void CDirectShowPersistFilter::Save(reg::RegKey& key) const {
    key.setString(kName, name);
    key.setString(kClsid, factory);
    key.deleteValue(kData);
    if (data) {
        key.setBinary(kData, *data);
    }
}

}  // namespace tavi::engines
