#include "ModPanel.h"

#include "ModPlayer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace npmod {

namespace {

constexpr int kRefreshMs = 50;
constexpr float kFallPerTick = 0.06f;
constexpr int kMargin = 6;

QString Clock(int units) {
    const int seconds = units / 10;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

float Follow(float shown, float level) {
    return std::max(level, shown - kFallPerTick);
}

}  // namespace

ModPanel::ModPanel(const ModPlayer* player, QWidget* window) : QWidget(window), m_player(player) {
    setObjectName(QStringLiteral("npmodPanel"));
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(0x10, 0x14, 0x1c));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe6, 0xf0));
    setPalette(dark);
    setGeometry(window->rect());
    window->installEventFilter(this);
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &ModPanel::Tick);
    show();
}

void ModPanel::ModuleChanged() {
    m_shownLevel = {};
    m_shownChannel = {};
    update();
}

QStringList ModPanel::TextLines() const {
    QStringList lines;
    if (!m_player->IsReady()) {
        return {QCoreApplication::translate("ModPanel", "No module loaded")};
    }
    const QString title = QString::fromStdString(m_player->Title());
    lines << (title.isEmpty() ? QCoreApplication::translate("ModPanel", "(untitled module)")
                              : title);
    if (m_player->Options().controls) {
        lines << QStringLiteral("%1 / %2").arg(Clock(m_player->CurrentPosition()),
                                               Clock(m_player->MaxPosition()));
        QString format =
            QCoreApplication::translate("ModPanel", "%1 channels").arg(m_player->Channels());
        if (!m_player->TypeName().empty()) {
            format += QStringLiteral(" · ") + QString::fromStdString(m_player->TypeName());
        }
        lines << format;
    }
    return lines;
}

bool ModPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(QRect(QPoint(0, 0), static_cast<QResizeEvent*>(event)->size()));
    }
    return QWidget::eventFilter(watched, event);
}

void ModPanel::showEvent(QShowEvent* event) {
    m_timer.start();
    QWidget::showEvent(event);
}

void ModPanel::hideEvent(QHideEvent* event) {
    m_timer.stop();
    QWidget::hideEvent(event);
}

void ModPanel::Tick() {
    m_shownLevel[0] = Follow(m_shownLevel[0], m_player->Level(0));
    m_shownLevel[1] = Follow(m_shownLevel[1], m_player->Level(1));
    const int channels = std::min(m_player->Channels(), ModPlayer::kMaxMeterChannels);
    for (int c = 0; c < channels; ++c) {
        m_shownChannel[size_t(c)] = Follow(m_shownChannel[size_t(c)], m_player->ChannelLevel(c));
    }
    // A stopped player with its meters down looks the same every time: no repaint.
    const bool moving = m_player->IsPlaying() ||
                        std::any_of(m_shownLevel.begin(), m_shownLevel.end(),
                                    [](float level) { return level > 0.0f; }) ||
                        std::any_of(m_shownChannel.begin(), m_shownChannel.end(),
                                    [](float level) { return level > 0.0f; });
    const int position = m_player->CurrentPosition();
    if (moving || position != m_paintedPosition) {
        m_paintedPosition = position;
        update();
    }
}

void ModPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QStringList lines = TextLines();
    QFont bold = font();
    bold.setBold(true);
    int y = kMargin;
    for (int i = 0; i < lines.size(); ++i) {
        painter.setFont(i == 0 ? bold : font());
        const int height = painter.fontMetrics().height();
        const QString text =
            painter.fontMetrics().elidedText(lines[i], Qt::ElideRight, width() - 2 * kMargin);
        painter.drawText(QRect(kMargin, y, width() - 2 * kMargin, height), Qt::AlignLeft, text);
        y += height;
    }
    if (!m_player->Options().spectrum || !m_player->IsReady()) {
        return;
    }
    const int meterHeight = 14;
    const QRect channels(kMargin, y + 4, width() - 2 * kMargin,
                         height() - y - 4 - meterHeight - 2 * kMargin);
    PaintChannels(painter, channels);
    PaintStereoMeter(painter, QRect(kMargin, height() - kMargin - meterHeight,
                                    width() - 2 * kMargin, meterHeight));
}

void ModPanel::PaintChannels(QPainter& painter, const QRect& area) const {
    const int channels = std::min(m_player->Channels(), ModPlayer::kMaxMeterChannels);
    if (channels == 0 || area.height() < 4) {
        return;
    }
    const int gap = channels > 32 ? 1 : 2;
    const int barWidth = std::max(1, (area.width() - gap * (channels - 1)) / channels);
    // Green at the bottom, red only near the top: a loud channel shows as such.
    QLinearGradient heat(0, area.bottom(), 0, area.top());
    heat.setColorAt(0.0, QColor(0x3c, 0xb8, 0x5c));
    heat.setColorAt(0.7, QColor(0xe8, 0xc8, 0x3a));
    heat.setColorAt(1.0, QColor(0xe8, 0x3a, 0x3a));
    for (int c = 0; c < channels; ++c) {
        const int x = area.left() + c * (barWidth + gap);
        painter.fillRect(QRect(x, area.top(), barWidth, area.height()), QColor(0x22, 0x2a, 0x38));
        const int filled = int(float(area.height()) * m_shownChannel[size_t(c)]);
        painter.fillRect(QRect(x, area.bottom() + 1 - filled, barWidth, filled), heat);
    }
}

void ModPanel::PaintStereoMeter(QPainter& painter, const QRect& area) const {
    const int rowHeight = (area.height() - 2) / 2;
    for (int side = 0; side < 2; ++side) {
        const QRect row(area.left(), area.top() + side * (rowHeight + 2), area.width(), rowHeight);
        painter.fillRect(row, QColor(0x22, 0x2a, 0x38));
        const int filled = int(float(row.width()) * m_shownLevel[size_t(side)]);
        painter.fillRect(QRect(row.left(), row.top(), filled, row.height()),
                         QColor(0x4c, 0xc2, 0x70));
    }
}

}  // namespace npmod
