#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <memory>
#include <optional>

namespace tavi::engines {
class CMediaTrack;
}

namespace tavi::playlist {

// One entry's length as its engine reports it, without waiting on the UI thread: the entry
// is opened by its engine (without loading sound banks), and a track whose open goes on in
// the background is asked again, by IsDone(), once it has ended.
class LengthMeasure {
public:
    // How long an open may go on before the entry counts as failed.
    static constexpr int kOpenLimitMs = 20000;

    explicit LengthMeasure(const QString& path);
    ~LengthMeasure();
    LengthMeasure(const LengthMeasure&) = delete;
    LengthMeasure& operator=(const LengthMeasure&) = delete;

    // False while the engine is still opening the file.
    bool IsDone();
    // Once done: the length, or nullopt with Error() saying why.
    const std::optional<double>& Length() const { return m_length; }
    const QString& Error() const { return m_error; }

private:
    void Finish();

    std::unique_ptr<engines::CMediaTrack> m_track;
    QDeadlineTimer m_deadline{kOpenLimitMs};
    std::optional<double> m_length;
    QString m_error;
    bool m_done = false;
};

}  // namespace tavi::playlist
