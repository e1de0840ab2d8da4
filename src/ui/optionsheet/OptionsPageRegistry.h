#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace tavi::ui {

class COptionsPage;

// The pages the options sheet can show, by caption. The sheet shows the registered ones in
// the fixed order of PageOrder(); a caption outside that order comes last. Pages of other
// parts of the program register themselves here before the sheet is opened.
struct OptionsPageEntry {
    QString caption;
    std::function<COptionsPage*(QWidget* parent)> create;
};

class OptionsPageRegistry {
public:
    static OptionsPageRegistry& instance();

    // Registering a caption again replaces its factory.
    void Register(const QString& caption, std::function<COptionsPage*(QWidget* parent)> create);
    void Unregister(const QString& caption);
    bool Contains(const QString& caption) const;
    // The registered pages in the order the sheet shows them.
    std::vector<OptionsPageEntry> Pages() const;

    // "General", "Meta Data", "Music Folder", "Intro", "Video", "MIDI", "DirectX Plug-ins",
    // "Add-ins", "Mixer", "Priority".
    static const QStringList& PageOrder();

private:
    std::vector<OptionsPageEntry> m_entries;
};

// Registers the pages built here: General, Music Folder, Intro, Video, Mixer, Priority.
void RegisterStandardOptionsPages(OptionsPageRegistry& registry = OptionsPageRegistry::instance());

}  // namespace tavi::ui
