#include "CdDataEdit.h"

#include "engines/cd/CCdDatabase.h"

#include <algorithm>

namespace tavi::playlist {

CdDataEdit::CdDataEdit(const engines::CCdDatabase& database, int selectedIndex)
    : m_artist(database.GetArtist()), m_title(database.GetTitle()) {
    for (int i = 0; i < database.GetTrackCount(); ++i) {
        m_names.append(database.GetTrackName(i));
    }
    Select(selectedIndex);
}

void CdDataEdit::Select(int index) {
    m_selected = m_names.isEmpty() ? -1 : std::clamp(index, 0, int(m_names.size()) - 1);
}

void CdDataEdit::SetSelectedName(const QString& name) {
    if (m_selected >= 0) {
        m_names[m_selected] = name;
    }
}

bool CdDataEdit::WriteTo(engines::CCdDatabase& database) const {
    return database.SetAll(m_artist, m_title, m_names);
}

}  // namespace tavi::playlist
