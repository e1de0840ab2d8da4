#pragma once

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

namespace tavi::engines {
class CPlayer;
}

namespace tavi::playlist {

class CTaviDoc;
class LengthMeasure;

// One Total Length computation: selects each entry in turn, measures it and adds it up,
// showing the running sum. It goes on from the event loop, a few entries a turn, so the
// window stays live; the list counts as busy meanwhile, so edits from outside wait for it.
// Cancel (Escape) ends it early; so does an error unless "IgnoreErrors" is on. The
// selection comes back as it was.
class TotalLengthRun : public QObject {
    Q_OBJECT
public:
    TotalLengthRun(CTaviDoc& document, engines::CPlayer& player, QObject* parent = nullptr);
    ~TotalLengthRun() override;

    void Start();
    void Cancel() { m_cancelled = true; }
    bool IsRunning() const { return m_running; }

Q_SIGNALS:
    void progress(const QString& formattedSum);
    // The formatted sum, or nullopt when the run was ended early.
    void finished(const std::optional<QString>& formattedSum);

private:
    void Step();
    // False while the entry measured last is still being opened.
    bool TakeMeasure();
    void Finish();

    CTaviDoc& m_document;
    engines::CPlayer& m_player;
    std::unique_ptr<LengthMeasure> m_measure;  // the entry being measured
    QString m_measuredPath;
    QTimer m_next;
    int m_row = 0;
    int m_selection = -1;
    double m_sum = 0;
    bool m_cancelled = false;
    bool m_running = false;
};

}  // namespace tavi::playlist
