#pragma once

#include <QObject>

#include <functional>
#include <optional>

namespace tavi::engines {
class CPlayer;
}

namespace tavi::playlist {

class CTaviDoc;

// One Total Length computation: selects each entry in turn, measures it and adds it up,
// showing the running sum. Escape ends it early; so does an error unless "IgnoreErrors" is
// on. The selection comes back as it was.
class TotalLengthRun : public QObject {
    Q_OBJECT
public:
    using Measure = std::function<std::optional<double>(const QString& path, QString* error)>;

    TotalLengthRun(CTaviDoc& document, engines::CPlayer& player, Measure measure);

    // The formatted sum, or nullopt when the run was ended early.
    std::optional<QString> Run();

Q_SIGNALS:
    void progress(const QString& formattedSum);

protected:
    // Watches the application's input while the run lets the window repaint: Escape ends
    // the run, other input waits until it is over.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CTaviDoc& m_document;
    engines::CPlayer& m_player;
    Measure m_measure;
    bool m_cancelled = false;
};

}  // namespace tavi::playlist
