#include "OptionsPageRegistry.h"

#include <algorithm>

namespace tavi::ui {

OptionsPageRegistry& OptionsPageRegistry::instance() {
    static OptionsPageRegistry registry;
    return registry;
}

const QStringList& OptionsPageRegistry::PageOrder() {
    static const QStringList order = {QStringLiteral("General"),
                                      QStringLiteral("Meta Data"),
                                      QStringLiteral("Music Folder"),
                                      QStringLiteral("Intro"),
                                      QStringLiteral("Video"),
                                      QStringLiteral("MIDI"),
                                      QStringLiteral("DirectX Plug-ins"),
                                      QStringLiteral("Add-ins"),
                                      QStringLiteral("Mixer"),
                                      QStringLiteral("Priority")};
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
