// Icons drawn as vector shapes, so they are sharp at every size and need no image files.
#include "FrameIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace tavi::frame {

namespace {

constexpr QColor kInk(0x2b, 0x4c, 0x7e);
constexpr QColor kAccent(0xe0, 0x7a, 0x1f);

using Painter = std::function<void(QPainter&)>;

// Shapes are drawn on a 24 x 24 grid and scaled to each size.
QIcon drawn(const Painter& paint) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void triangle(QPainter& p, double x, double y, double w, double h, bool right = true) {
    QPainterPath path;
    if (right) {
        path.moveTo(x, y);
        path.lineTo(x + w, y + h / 2);
        path.lineTo(x, y + h);
    } else {
        path.moveTo(x + w, y);
        path.lineTo(x, y + h / 2);
        path.lineTo(x + w, y + h);
    }
    path.closeSubpath();
    p.drawPath(path);
}

void page(QPainter& p) {
    p.setBrush(Qt::white);
    p.setPen(QPen(kInk, 1.5));
    p.drawRect(QRectF(5, 3, 14, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
}

Painter shape(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::Play:
            return [](QPainter& p) { triangle(p, 6, 4, 14, 16); };
        case ToolIcon::Pause:
            return [](QPainter& p) {
                p.drawRect(QRectF(6, 4, 4, 16));
                p.drawRect(QRectF(14, 4, 4, 16));
            };
        case ToolIcon::Stop:
            return [](QPainter& p) { p.drawRect(QRectF(5, 5, 14, 14)); };
        case ToolIcon::Previous:
            return [](QPainter& p) {
                p.drawRect(QRectF(4, 5, 3, 14));
                triangle(p, 7, 5, 12, 14, false);
            };
        case ToolIcon::Next:
            return [](QPainter& p) {
                triangle(p, 5, 5, 12, 14);
                p.drawRect(QRectF(17, 5, 3, 14));
            };
        case ToolIcon::Rewind:
            return [](QPainter& p) {
                triangle(p, 2, 6, 10, 12, false);
                triangle(p, 12, 6, 10, 12, false);
            };
        case ToolIcon::FastForward:
            return [](QPainter& p) {
                triangle(p, 2, 6, 10, 12);
                triangle(p, 12, 6, 10, 12);
            };
        case ToolIcon::New:
            return [](QPainter& p) {
                page(p);
                p.setBrush(kAccent);
                p.drawEllipse(QPointF(17, 17), 5, 5);
            };
        case ToolIcon::Open:
            return [](QPainter& p) {
                p.setBrush(kAccent);
                p.drawRect(QRectF(2, 6, 9, 4));
                p.drawRect(QRectF(2, 8, 20, 13));
            };
        case ToolIcon::Save:
            return [](QPainter& p) {
                p.drawRect(QRectF(3, 3, 18, 18));
                p.setBrush(Qt::white);
                p.drawRect(QRectF(7, 3, 10, 6));
                p.drawRect(QRectF(6, 13, 12, 8));
            };
        case ToolIcon::AddTracks:
            return [](QPainter& p) {
                p.drawRect(QRectF(10, 3, 4, 18));
                p.drawRect(QRectF(3, 10, 18, 4));
            };
        case ToolIcon::Find:
            return [](QPainter& p) {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(kInk, 3));
                p.drawEllipse(QPointF(10, 10), 6, 6);
                p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
            };
        case ToolIcon::Options:
            return [](QPainter& p) {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(kInk, 3));
                p.drawEllipse(QPointF(12, 12), 6, 6);
                for (int i = 0; i < 8; ++i) {
                    const double a = i * M_PI / 4;
                    p.drawLine(QPointF(12 + 7 * std::cos(a), 12 + 7 * std::sin(a)),
                               QPointF(12 + 10 * std::cos(a), 12 + 10 * std::sin(a)));
                }
            };
        case ToolIcon::Volume:
            return [](QPainter& p) {
                p.drawRect(QRectF(3, 9, 5, 6));
                triangle(p, 3, 4, 10, 16, false);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(kInk, 2));
                p.drawArc(QRectF(10, 7, 8, 10), -60 * 16, 120 * 16);
                p.drawArc(QRectF(10, 3, 12, 18), -60 * 16, 120 * 16);
            };
    }
    return [](QPainter&) {};
}

const char* themeName(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::Play:
            return "media-playback-start";
        case ToolIcon::Pause:
            return "media-playback-pause";
        case ToolIcon::Stop:
            return "media-playback-stop";
        case ToolIcon::Previous:
            return "media-skip-backward";
        case ToolIcon::Next:
            return "media-skip-forward";
        case ToolIcon::Rewind:
            return "media-seek-backward";
        case ToolIcon::FastForward:
            return "media-seek-forward";
        case ToolIcon::Open:
            return "document-open";
        case ToolIcon::Save:
            return "document-save";
        case ToolIcon::New:
            return "document-new";
        case ToolIcon::AddTracks:
            return "list-add";
        case ToolIcon::Find:
            return "edit-find";
        case ToolIcon::Options:
            return "preferences-system";
        case ToolIcon::Volume:
            return "audio-volume-high";
    }
    return "";
}

// The application's sign: an orange disc with a note. The playing frames turn a
// highlight around the disc; paused shows two bars over it.
void disc(QPainter& p) {
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(1, 1, 22, 22));
}

void note(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 14, 6, 5));
    p.drawRect(QRectF(10.5, 5, 2, 12));
    p.drawRect(QRectF(10.5, 5, 7, 2.5));
}

Painter resourceShape(int resourceId) {
    if (resourceId >= kPlayingIconFirst && resourceId <= kPlayingIconLast) {
        const int frame = resourceId - kPlayingIconFirst;
        return [frame](QPainter& p) {
            disc(p);
            p.setBrush(QColor(255, 255, 255, 110));
            p.drawPie(QRectF(1, 1, 22, 22), (90 - frame * 90) * 16, -90 * 16);
            note(p);
        };
    }
    if (resourceId == kPausedIcon) {
        return [](QPainter& p) {
            disc(p);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 6, 3.5, 12));
            p.drawRect(QRectF(13.5, 6, 3.5, 12));
        };
    }
    return [](QPainter& p) {
        disc(p);
        note(p);
    };
}

}  // namespace

QIcon ToolBarIcon(ToolIcon icon) {
    return QIcon::fromTheme(QLatin1String(themeName(icon)), drawn(shape(icon)));
}

// Drawn once: the tray animation asks for a frame five times a second.
QIcon ResourceIcon(int resourceId) {
    static QHash<int, QIcon> cache;
    auto it = cache.find(resourceId);
    if (it == cache.end()) {
        it = cache.insert(resourceId, drawn(resourceShape(resourceId)));
    }
    return *it;
}

}  // namespace tavi::frame
