#pragma once

#include "platform/inifile/IniFile.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace tavi::engines {

// The CD title database, "cdplayer.ini": one section per disc named by its identity (the
// CDDB disc id, "%lX"), with "numtracks", "artist", "title" and the track names under
// "0", "1", ... Missing values read as "New Artist", "New Title" and "Track %02d". A damaged
// file never breaks a read: counts outside 1..99 read as unknown, values are cut to 255
// characters, and writes keep every line the program does not change. UI thread only.
class CCdDatabase {
public:
    static constexpr int kMaxTracks = 99;
    static constexpr int kValueChars = 255;

    // The program's database, $XDG_CONFIG_HOME/Kestrova/cdplayer.ini.
    static CCdDatabase& Instance();
    static QString DefaultPath();
    explicit CCdDatabase(QString path);

    // Asks the drive which disc is in it and registers a new one ("New Artist", "New
    // Title", its track count). True when the identity changed since the last call.
    bool IdentifyDisc();
    // The same with what a probe of the drive found (ProbeDisc, perhaps on a worker): the
    // file is read anew and a new disc with tracks is registered.
    bool ApplyDisc(uint32_t identity, int tracks);
    // Reads the section of a disc without asking the drive.
    void SelectDisc(uint32_t identity);
    uint32_t Identity() const { return m_identity; }
    bool HasDisc() const { return m_identity != 0; }

    // 0 when the disc is unknown or its count makes no sense.
    int GetTrackCount() const;
    QString GetTrackName(int index) const;  // zero-based
    QString GetArtist() const;
    QString GetTitle() const;
    // Each write goes to disk at once; false (nothing lost on disk) when it cannot.
    bool SetTrackName(int index, const QString& name);
    bool SetArtist(const QString& artist);
    bool SetTitle(const QString& title);
    // Writes the artist, the title and every name at once.
    bool SetAll(const QString& artist, const QString& title, const QStringList& names);
    // The last write's failure, empty after a good one.
    const QString& LastError() const { return m_lastError; }

private:
    QString Read(const QString& key, const QString& fallback) const;
    bool Flush();

    ini::IniFile m_file;
    uint32_t m_identity = 0;
    QString m_lastError;
};

}  // namespace tavi::engines
