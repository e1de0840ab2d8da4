#pragma once

#include "CMiniPlaylistItem.h"
#include "CMiniPlaylistWnd.h"
#include "engines/CMediaTrack.h"

#include <vector>

namespace tavi::engines {

// A ".mpl" or ".m3u" entry played as one track: its files play in a small window of their
// own, overlapping by the seconds in their names, and the main player hears one end when
// the last has finished. Its length is the mini playlist's time line, measured at Open.
class CMiniPlaylistTrack : public CMediaTrack {
public:
    enum State { Closed = 0, Stopped = 1, Paused = 2, Playing = 3 };

    CMiniPlaylistTrack();
    ~CMiniPlaylistTrack() override;

    void Open(const QString& fileName) override;
    void Close() override;
    void Play() override;
    void PlayRange(double from, double to) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    bool IsStopped() override { return m_state == Stopped; }
    bool IsPaused() override { return m_state == Paused; }
    bool IsPlaying() override { return m_state == Playing; }
    double GetPosition() override;
    bool HasVolume() override { return true; }
    void SetVolume(float level) override;
    float GetVolume() override;
    // Reads and measures the list without opening a window.
    double GetFileLength(const QString& fileName) override;

    const std::vector<CMiniPlaylistItem>& Items() const { return m_items; }
    const CMiniPlaylistWnd& Window() const { return m_window; }
    // The window tells the main player that the last file has ended: once per Play.
    void PostEnd();
    // The mini playlist file this track plays or measures, for the check that a list does
    // not contain itself.
    const QString& PlaylistPath() const { return m_playlistPath; }

private:
    // Reads the list into the window's files and measures it into the items.
    void ReadAndMeasure(const QString& fileName);
    void Measure(const QStringList& files);
    void ThrowIfInsideItself(const QString& fileName) const;

    CMiniPlaylistWnd m_window;
    State m_state = Closed;
    std::vector<CMiniPlaylistItem> m_items;
    double m_stopAt = 0.0;
    bool m_endPosted = false;
    QString m_playlistPath;
};

}  // namespace tavi::engines
