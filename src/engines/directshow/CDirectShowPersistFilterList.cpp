#include "CDirectShowPersistFilterList.h"

#include <QCoreApplication>

namespace tavi::engines {

namespace {

const QString kListKey = QStringLiteral("DirectShow Filters");
const QString kCount = QStringLiteral("FilterCount");
const QString kOutput = QStringLiteral("OutputFilter");

QString FilterKeyName(size_t index) {
    return QStringLiteral("Filter %1").arg(index);
}

std::function<void(const QString&, const QString&)>& WarningHandler() {
    static std::function<void(const QString&, const QString&)> handler;
    return handler;
}

void Warn(const QString& text) {
    if (WarningHandler()) {
        WarningHandler()(QStringLiteral("DirectShow"), text);
    }
}

}  // namespace

CDirectShowPersistFilterList& directShowFilters() {
    static CDirectShowPersistFilterList list;
    return list;
}

void CDirectShowPersistFilterList::SetWarningHandler(
    std::function<void(const QString&, const QString&)> handler) {
    WarningHandler() = std::move(handler);
}

void CDirectShowPersistFilterList::Load(const reg::RegKey& applicationKey) {
    effects.clear();
    output.reset();
    const reg::RegKey key = applicationKey.subKey(kListKey);
    const uint32_t count = key.dwordValue(kCount).value_or(0);
    for (uint32_t i = 0; i < count; ++i) {
        const reg::RegKey filterKey = key.subKey(FilterKeyName(i));
        if (filterKey.isValid()) {
            effects.emplace_back().Load(filterKey);
        }
    }
    if (const reg::RegKey outputKey = key.subKey(kOutput); outputKey.isValid()) {
        output.emplace().Load(outputKey);
    }
}

void CDirectShowPersistFilterList::Save(reg::RegKey& applicationKey) const {
    reg::RegKey key = applicationKey.subKey(kListKey, true);
    const uint32_t oldCount = key.dwordValue(kCount).value_or(0);
    for (uint32_t i = 0; i < oldCount; ++i) {
        key.deleteSubKeyTree(FilterKeyName(i));
    }
    for (size_t i = 0; i < effects.size(); ++i) {
        reg::RegKey filterKey = key.subKey(FilterKeyName(i), true);
        effects[i].Save(filterKey);
    }
    key.setDWord(kCount, uint32_t(effects.size()));
    if (output) {
        reg::RegKey outputKey = key.subKey(kOutput, true);
        output->Save(outputKey);
    } else {
        key.deleteSubKeyTree(kOutput);
    }
}

gst::ElementPtr CDirectShowPersistFilterList::CreateEffectsBin() const {
    if (effects.empty()) {
        return nullptr;
    }
    gst::ElementPtr bin(gst_bin_new("tavi-effects"));
    gst_object_ref_sink(bin.get());
    gst::ElementPtr first = gst::MakeElement("audioconvert", nullptr, nullptr);
    if (!first) {
        return nullptr;
    }
    gst_bin_add(GST_BIN(bin.get()), first.get());
    GstElement* last = first.get();
    for (const CDirectShowPersistFilter& filter : effects) {
        QString error;
        gst::ElementPtr effect = filter.Create(&error);
        gst::ElementPtr convert = gst::MakeElement("audioconvert", nullptr, nullptr);
        if (!effect || !convert) {
            continue;
        }
        gst_bin_add_many(GST_BIN(bin.get()), effect.get(), convert.get(), nullptr);
        if (!gst_element_link(last, effect.get()) ||
            !gst_element_link(effect.get(), convert.get())) {
            gst_bin_remove_many(GST_BIN(bin.get()), effect.get(), convert.get(), nullptr);
            Warn(QCoreApplication::translate("CDirectShowTrack", "Failed to add filter ") +
                 filter.name);
            continue;
        }
        last = convert.get();
    }
    GstPad* sink = gst_element_get_static_pad(first.get(), "sink");
    GstPad* source = gst_element_get_static_pad(last, "src");
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", sink));
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("src", source));
    gst_object_unref(sink);
    gst_object_unref(source);
    return bin;
}

gst::ElementPtr CDirectShowPersistFilterList::CreateOutput() {
    if (!output) {
        return nullptr;
    }
    QString error;
    gst::ElementPtr sink = output->Create(&error);
    if (!sink) {
        output.reset();
    }
    return sink;
}

QString CDirectShowPersistFilterList::OutputKey() const {
    if (!output) {
        return QString();
    }
    return output->factory + QLatin1Char('\n') + output->name + QLatin1Char('\n') +
           QString::fromUtf8(output->data.value_or(QByteArray()));
}

}  // namespace tavi::engines
