#pragma once

#include <QString>
#include <QStringList>

namespace tavi::engines {
class CCdDatabase;
}

namespace tavi::playlist {

// What "Edit CD data base" edits: the names of the disc's tracks, its artist and title,
// with one track selected (the one whose name typing replaces). Filled from the title
// database and written back to it in one go.
class CdDataEdit {
public:
    // The disc the database has identified; the selection is clamped to its tracks.
    CdDataEdit(const engines::CCdDatabase& database, int selectedIndex);

    const QStringList& names() const { return m_names; }
    int selected() const { return m_selected; }
    const QString& artist() const { return m_artist; }
    const QString& title() const { return m_title; }

    void Select(int index);
    void SetSelectedName(const QString& name);
    void SetArtist(const QString& artist) { m_artist = artist; }
    void SetTitle(const QString& title) { m_title = title; }

    // Writes artist, title and every name to the disc's section; false with the
    // database's LastError() when the file could not be written.
    bool WriteTo(engines::CCdDatabase& database) const;

private:
    QStringList m_names;
    QString m_artist;
    QString m_title;
    int m_selected = 0;
};

}  // namespace tavi::playlist
