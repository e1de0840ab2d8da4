#include "TotalLengthRun.h"

#include "app/settings/PlayerSettings.h"
#include "engines/player/CPlayer.h"
#include "platform/errors/CException.h"
#include "playlist/CTaviDoc.h"
#include "playlist/FormatDuration.h"
#include "playlist/PlaylistModel.h"
#include "playlist/WaitCursor.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tavi::playlist {

namespace {

// The error as the player reports it: through the player, honouring "IgnoreErrors".
class MeasureError : public errors::CException {
public:
    explicit MeasureError(QString text) : m_text(std::move(text)) {}
    QString GetErrorMessage() const override { return m_text; }

private:
    QString m_text;
};

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
    }
}

}  // namespace

TotalLengthRun::TotalLengthRun(CTaviDoc& document, engines::CPlayer& player, Measure measure)
    : m_document(document), m_player(player), m_measure(std::move(measure)) {}

bool TotalLengthRun::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_cancelled = true;
        return true;
    }
    return IsUserInput(event->type()) || QObject::eventFilter(watched, event);
}

std::optional<QString> TotalLengthRun::Run() {
    WaitCursor wait;
    PlaylistModel& list = m_document.model();
    const int selection = list.current();
    QCoreApplication::instance()->installEventFilter(this);
    double sum = 0;
    for (int i = 0; i < list.count() && !m_cancelled; ++i) {
        list.setCurrent(i);
        QString error;
        const std::optional<double> length = m_measure(list.path(i), &error);
        if (length && *length > 0) {
            sum += *length;
        }
        if (!length) {
            // The message names the entry: in a long list the engine's text alone says nothing.
            m_player.ReportTrackError(
                MeasureError(QStringLiteral("%1\n\n%2").arg(list.path(i), error)));
            if (!settings::playerSettings().ignoreErrors) {
                m_cancelled = true;
            }
        }
        Q_EMIT progress(FormatDurationSeconds(sum));
        QCoreApplication::processEvents();
    }
    QCoreApplication::instance()->removeEventFilter(this);
    list.setCurrent(selection);
    if (m_cancelled) {
        return std::nullopt;
    }
    return FormatDurationSeconds(sum);
}

}  // namespace tavi::playlist
