#include "CCdDatabase.h"

#include "CdServices.h"
#include "platform/errors/CException.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace tavi::engines {

namespace {

QString SectionOf(uint32_t identity) {
    return QString::number(identity, 16).toUpper();
}

}  // namespace

// The file follows XDG_CONFIG_HOME (which tests change); the database read stays in memory
// while it does not move.
CCdDatabase& CCdDatabase::Instance() {
    static std::unique_ptr<CCdDatabase> database;
    const QString path = DefaultPath();
    if (!database || database->m_file.path() != path) {
        database = std::make_unique<CCdDatabase>(path);
    }
    return *database;
}

QString CCdDatabase::DefaultPath() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/Kestrova/cdplayer.ini");
}

CCdDatabase::CCdDatabase(QString path) : m_file(std::move(path)) {}

void CCdDatabase::SelectDisc(uint32_t identity) {
    m_identity = identity;
    m_file.SelectSection(SectionOf(identity));
}

bool CCdDatabase::IdentifyDisc() {
    const mci::CdDiscInfo disc = cd::ProbeDisc();
    return ApplyDisc(disc.discId, disc.tracks);
}

bool CCdDatabase::ApplyDisc(uint32_t identity, int tracks) {
    const uint32_t before = m_identity;
    m_file = ini::IniFile(m_file.path());  // another program may have changed it
    SelectDisc(identity);
    if (m_identity != 0 && GetTrackCount() == 0 && tracks > 0) {
        m_file.WriteInt(QStringLiteral("numtracks"), std::min(tracks, kMaxTracks));
        m_file.WriteString(QStringLiteral("artist"), QStringLiteral("New Artist"));
        m_file.WriteString(QStringLiteral("title"), QStringLiteral("New Title"));
        Flush();
    }
    return m_identity != before;
}

int CCdDatabase::GetTrackCount() const {
    if (m_identity == 0) {
        return 0;
    }
    const int count = m_file.ReadInt(QStringLiteral("numtracks"), 0);
    return count > 0 && count <= kMaxTracks ? count : 0;
}

QString CCdDatabase::Read(const QString& key, const QString& fallback) const {
    if (m_identity == 0) {
        return fallback;
    }
    return m_file.ReadString(key, fallback).left(kValueChars);
}

QString CCdDatabase::GetTrackName(int index) const {
    const QString fallback = QCoreApplication::translate("CCdDatabase", "Track %1")
                                 .arg(index + 1, 2, 10, QLatin1Char('0'));
    if (index < 0 || index >= kMaxTracks) {
        return fallback;
    }
    return Read(QString::number(index), fallback);
}

QString CCdDatabase::GetArtist() const {
    return Read(QStringLiteral("artist"), QStringLiteral("New Artist"));
}

QString CCdDatabase::GetTitle() const {
    return Read(QStringLiteral("title"), QStringLiteral("New Title"));
}

bool CCdDatabase::SetTrackName(int index, const QString& name) {
    if (m_identity == 0 || index < 0 || index >= kMaxTracks) {
        m_lastError = QCoreApplication::translate("CCdDatabase", "No CD track %1").arg(index + 1);
        return false;
    }
    m_file.WriteString(QString::number(index), name.left(kValueChars));
    return Flush();
}

bool CCdDatabase::SetArtist(const QString& artist) {
    return SetAll(artist, GetTitle(), {});
}

bool CCdDatabase::SetTitle(const QString& title) {
    return SetAll(GetArtist(), title, {});
}

bool CCdDatabase::SetAll(const QString& artist, const QString& title, const QStringList& names) {
    if (m_identity == 0) {
        m_lastError = cd::NoCdFoundText();
        return false;
    }
    m_file.WriteString(QStringLiteral("artist"), artist.left(kValueChars));
    m_file.WriteString(QStringLiteral("title"), title.left(kValueChars));
    for (int i = 0; i < names.size() && i < kMaxTracks; ++i) {
        m_file.WriteString(QString::number(i), names[i].left(kValueChars));
    }
    return Flush();
}

// A file that could not be read is never replaced (IniFile refuses); the changes stay in
// memory and the error is kept for the caller to show.
bool CCdDatabase::Flush() {
    try {
        QDir().mkpath(QFileInfo(m_file.path()).absolutePath());
        m_file.Flush();
        m_lastError.clear();
        return true;
    } catch (const errors::CException& e) {
        m_lastError = e.GetErrorMessage();
        return false;
    }
}

}  // namespace tavi::engines
