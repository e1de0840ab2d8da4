#include "OptionsPageRegistry.h"

#include <algorithm>

namespace tavi::ui {

OptionsPageRegistry& OptionsPageRegistry::instance() {
    static OptionsPageRegistry registry;
    return registry;
}

// The captions are the pages' keys; the sheet shows them translated in the "OptionsPage"
// context.
const QStringList& OptionsPageRegistry::PageOrder() {
    static const QStringList order = {
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "General")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Meta Data")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Music Folder")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Intro")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Video")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "MIDI")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "DirectX Plug-ins")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Add-ins")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Mixer")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Priority")),
        QString::fromLatin1(QT_TRANSLATE_NOOP("OptionsPage", "Playback"))};  // ours
    return order;
}

void OptionsPageRegistry::Register(const QString& caption,
                                   std::function<COptionsPage*(QWidget* parent)> create) {
    Unregister(caption);
    m_entries.push_back({caption, std::move(create)});
}

void OptionsPageRegistry::Unregister(const QString& caption) {
    std::erase_if(m_entries,
                  [&](const OptionsPageEntry& entry) { return entry.caption == caption; });
}

bool OptionsPageRegistry::Contains(const QString& caption) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const OptionsPageEntry& entry) { return entry.caption == caption; });
}

std::vector<OptionsPageEntry> OptionsPageRegistry::Pages() const {
    std::vector<OptionsPageEntry> pages = m_entries;
    const auto rank = [](const OptionsPageEntry& entry) {
        const qsizetype index = PageOrder().indexOf(entry.caption);
        return index < 0 ? PageOrder().size() : index;
    };
    std::stable_sort(
        pages.begin(), pages.end(),
        [&](const OptionsPageEntry& a, const OptionsPageEntry& b) { return rank(a) < rank(b); });
    return pages;
}

}  // namespace tavi::ui
