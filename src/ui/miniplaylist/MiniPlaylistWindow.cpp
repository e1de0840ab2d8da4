#include "MiniPlaylistWindow.h"

#include "app/settings/ViewSettings.h"
#include "playlist/EntryIcons.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CMediaListBox.h"
#include "ui/WinRectGeometry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QVBoxLayout>

namespace tavi::ui {

namespace {

constexpr int kListControlId = 1001;
constexpr int kMiniPlaylistImage = 14;  // the image list's picture for ".mpl" and ".m3u"

// A disabled list keeps the colours of an enabled one: it is there to be read.
void LookEnabled(QWidget* list) {
    QPalette palette = list->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::Base, QPalette::Highlight,
                                     QPalette::HighlightedText, QPalette::WindowText}) {
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    }
    list->setPalette(palette);
}

// What the playing logic holds: the window while it exists.
class GuardedView : public engines::MiniPlaylistView {
public:
    explicit GuardedView(MiniPlaylistWindow* window) : m_window(window) {}
    ~GuardedView() override { delete m_window.data(); }
    void SetEntries(const QStringList& files) override {
        if (m_window) {
            m_window->SetEntries(files);
        }
    }
    void SelectEntry(int row) override {
        if (m_window) {
            m_window->SelectEntry(row);
        }
    }
    void ShowError(const QString& message) override {
        if (m_window) {
            m_window->ShowError(message);
        }
    }

private:
    QPointer<MiniPlaylistWindow> m_window;
};

}  // namespace

MiniPlaylistWindow::MiniPlaylistWindow(const QString& title, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(new playlist::PlaylistModel(this)),
      m_list(new playlist::CMediaListBox(this)),
      m_owner(owner) {
    setObjectName(QStringLiteral("miniPlaylist"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(title);
    setWindowIcon(playlist::EntryIcons::icon(kMiniPlaylistImage));
    m_list->setObjectName(QString::number(kListControlId));
    m_list->setPlaylistModel(m_model);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setDragEnabled(false);
    m_list->setAcceptDrops(false);
    LookEnabled(m_list);
    m_list->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setGeometry(FromWinRect(settings::viewSettings().miniPlaylistRect));
    show();
}

MiniPlaylistWindow::~MiniPlaylistWindow() = default;

void MiniPlaylistWindow::Register(QWidget* owner) {
    const QPointer<QWidget> guarded(owner);
    engines::SetMiniPlaylistViewProvider(
        [guarded](const QString& title) -> std::unique_ptr<engines::MiniPlaylistView> {
            return std::make_unique<GuardedView>(new MiniPlaylistWindow(title, guarded.data()));
        });
}

void MiniPlaylistWindow::SetEntries(const QStringList& files) {
    m_model->clear();
    for (const QString& file : files) {
        m_model->append(file, false);
    }
}

void MiniPlaylistWindow::SelectEntry(int row) {
    m_model->setCurrent(row);
    if (row >= 0) {
        m_list->scrollTo(m_model->index(row));
    }
}

// Shown without blocking: the next file goes on playing behind the message.
void MiniPlaylistWindow::ShowError(const QString& message) {
    QWidget* parent = m_owner ? m_owner.data() : nullptr;
    auto* box = new QMessageBox(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MiniPlaylistWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void MiniPlaylistWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    StorePlacement();
}

void MiniPlaylistWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    StorePlacement();
}

void MiniPlaylistWindow::StorePlacement() {
    if (isVisible() && !isMinimized() && !isMaximized()) {
        settings::viewSettings().miniPlaylistRect = ToWinRect(geometry());
    }
}

}  // namespace tavi::ui
