#include "EntryIcons.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace tavi::playlist {

namespace {

struct IconSpec {
    int index;
    const char* theme;
    const char* label;
    QRgb colour;
};

const IconSpec kIcons[] = {
    {0, "media-optical-audio", "CD", 0x6a4c93},
    {1, "audio-midi", "MID", 0x1982c4},
    {2, "audio-x-wav", "WAV", 0x2a9d8f},
    {3, "audio-basic", "AU", 0x2a9d8f},
    {4, "audio-x-aiff", "AIF", 0x2a9d8f},
    {5, "audio-mpeg", "MP3", 0xe76f51},
    {6, "video-x-msvideo", "AVI", 0x8338ec},
    {7, "video-quicktime", "MOV", 0x8338ec},
    {8, "video-x-flic", "FLI", 0x8338ec},
    {9, "video-mpeg", "MPG", 0x8338ec},
    {10, "audio-x-mod", "MOD", 0xf4a261},
    {12, "audio-x-pn-realaudio", "RA", 0x264653},
    {13, "media-playback-pause", "||", 0x6c757d},
    {14, "audio-x-mpegurl", "M3U", 0x457b9d},
    {15, "audio-x-scpls", "ALB", 0x1d3557},
    {17, "audio-x-generic", "\u266a", 0x52796f},
    {18, "text-x-generic", "?", 0xadb5bd},
    {20, "media-playback-start", "\u25b6", 0x2b9348},
    {21, "media-playback-stop", "\u25a0", 0xd00000},
    {22, "application-x-executable", "EXE", 0x495057},
    {23, "text-x-generic", "INI", 0x868e96},
    {24, "media-record", "REC", 0xd00000},
    {25, "audio-x-generic", "JIN", 0xffb703},
    {26, "video-x-ms-wmv", "WM", 0x0077b6},
    {27, "folder", "DIR", 0xc9a227},
    {28, "view-refresh", "ROT", 0x3a86ff},
    {29, "text-x-script", "JS", 0x6a994e},
    {30, "audio-x-vorbis+ogg", "OGG", 0xbc4749},
    {31, "video-mp4", "MP4", 0x8338ec},
    {32, "text-plain", "TXT", 0x868e96},
    {33, "audio-x-ms-wpl", "WPL", 0x1d3557},
};

const IconSpec& specFor(int imageIndex) {
    for (const IconSpec& spec : kIcons) {
        if (spec.index == imageIndex) {
            return spec;
        }
    }
    constexpr int kOther = 18;
    return imageIndex == kOther ? kIcons[0] : specFor(kOther);
}

QPixmap drawTile(const IconSpec& spec, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(spec.colour));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
    const QString text = QString::fromUtf8(spec.label);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? size * 3 / 8 : size / 2);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

QIcon makeIcon(const IconSpec& spec) {
    QIcon fallback;
    for (int size : {16, 24, 32, 48}) {
        fallback.addPixmap(drawTile(spec, size));
    }
    return QIcon::fromTheme(QLatin1String(spec.theme), fallback);
}

}  // namespace

QIcon EntryIcons::icon(int imageIndex) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return {};  // pixmaps need a GUI application; headless logic shows no icons
    }
    static QHash<int, QIcon> cache;
    auto found = cache.constFind(imageIndex);
    if (found == cache.constEnd()) {
        found = cache.insert(imageIndex, makeIcon(specFor(imageIndex)));
    }
    return *found;
}

QString EntryIcons::themeName(int imageIndex) {
    return QLatin1String(specFor(imageIndex).theme);
}

QString EntryIcons::label(int imageIndex) {
    return QString::fromUtf8(specFor(imageIndex).label);
}

}  // namespace tavi::playlist
