#include "TotalLengthRun.h"

#include "LengthMeasure.h"
#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "platform/errors/CException.h"
#include "playlist/CTaviDoc.h"
#include "playlist/FormatDuration.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"

#include <QElapsedTimer>

namespace tavi::playlist {

namespace {

// Entries measured in one turn of the event loop, at most this long.
constexpr qint64 kTurnBudgetMs = 8;
// How often an entry still being opened is looked at again.
constexpr int kOpeningPollMs = 10;

// The error as the player reports it: through the player, honouring "IgnoreErrors".
class MeasureError : public errors::CException {
public:
    explicit MeasureError(QString text) : m_text(std::move(text)) {}
    QString GetErrorMessage() const override { return m_text; }

private:
    QString m_text;
};

}  // namespace

TotalLengthRun::TotalLengthRun(CTaviDoc& document, engines::CPlayer& player, QObject* parent)
    : QObject(parent), m_document(document), m_player(player) {
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    connect(&m_next, &QTimer::timeout, this, &TotalLengthRun::Step);
}

TotalLengthRun::~TotalLengthRun() {
    if (m_running) {
        m_document.editor().EndLongOperation();
    }
}

void TotalLengthRun::Start() {
    m_running = true;
    m_cancelled = false;
    m_row = 0;
    m_sum = 0;
    m_measure.reset();
    m_selection = m_document.model().current();
    m_document.editor().BeginLongOperation();
    m_next.start();
}

void TotalLengthRun::Step() {
    PlaylistModel& list = m_document.model();
    QElapsedTimer turn;
    turn.start();
    bool waiting = false;
    while (!m_cancelled && turn.elapsed() < kTurnBudgetMs) {
        if (!TakeMeasure()) {
            waiting = true;  // the engine opens the file in the background
            break;
        }
        if (m_row >= list.count()) {
            break;
        }
        list.setCurrent(m_row);
        m_measuredPath = list.path(m_row++);
        m_measure = std::make_unique<LengthMeasure>(m_measuredPath);
    }
    Q_EMIT progress(FormatDurationSeconds(m_sum));
    if (m_cancelled || (!waiting && !m_measure && m_row >= list.count())) {
        Finish();
    } else {
        // The next entries after the window has had its turn.
        m_next.start(waiting ? kOpeningPollMs : 0);
    }
}

bool TotalLengthRun::TakeMeasure() {
    if (!m_measure) {
        return true;
    }
    if (!m_measure->IsDone()) {
        return false;
    }
    const std::unique_ptr<LengthMeasure> measure = std::move(m_measure);
    const std::optional<double>& length = measure->Length();
    if (length && *length > 0) {
        m_sum += *length;
    }
    if (!length) {
        // The message names the entry: in a long list the engine's text alone says nothing.
        m_player.ReportTrackError(
            MeasureError(QStringLiteral("%1\n\n%2").arg(m_measuredPath, measure->Error())));
        if (!settings::playerSettings().ignoreErrors) {
            m_cancelled = true;
        }
    }
    return true;
}

void TotalLengthRun::Finish() {
    m_running = false;
    m_measure.reset();
    m_document.model().setCurrent(m_selection);
    // The result speaks of the list that was measured: edits waiting for the run come after.
    Q_EMIT finished(m_cancelled ? std::nullopt
                                : std::optional<QString>(FormatDurationSeconds(m_sum)));
    m_document.editor().EndLongOperation();
}

}  // namespace tavi::playlist
