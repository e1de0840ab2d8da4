#include "CTaviDoc.h"

#include <QCoreApplication>
#include <stdexcept>

#include "DocumentSnapshot.h"
#include "PlaylistEditor.h"
#include "PlaylistFileAccess.h"
#include "PlaylistModel.h"
#include "WaitCursor.h"
#include "app/settings/PlayerSettings.h"
#include "engines/cd/CdServices.h"

#include <QFileInfo>

#include <exception>

namespace tavi::playlist {

namespace {

const QString kFailedToOpen = QCoreApplication::translate("CTaviDoc", "Failed to open document.");

QString messageOf(const std::exception& error, const QString& fallback) {
    const QString message = QString::fromLocal8Bit(error.what());
    return message.isEmpty() ? fallback : message;
}

}  // namespace

CTaviDoc::CTaviDoc(QObject* parent)
    : CUndoDoc(parent),
      m_model(std::make_unique<PlaylistModel>()),
      m_editor(std::make_unique<PlaylistEditor>(*m_model, *this)),
      m_fileHooks{LoadDocumentEntries, SaveDocumentEntries} {
    m_editor->hooks().playlistExpander = ExpandPlaylistFile;
    m_editor->hooks().cueSheetEntries = ExpandCueSheet;
    m_editor->hooks().reportError = [this](const QString& message) { ReportError(message); };
    m_model->setAboutToChange([this] { OnContentAboutToChange(); });
}

CTaviDoc::~CTaviDoc() {
    m_model->setAboutToChange(nullptr);
    CloseCurrentTrack();
}

void CTaviDoc::SetCurrentTrack(std::unique_ptr<engines::CMediaTrack> track) {
    Q_ASSERT_X(!m_currentTrack, "CTaviDoc::SetCurrentTrack", "a track is already current");
    if (m_currentTrack) {
        throw std::logic_error("CTaviDoc::SetCurrentTrack: a track is already current");
    }
    m_currentTrack = std::move(track);
    Q_EMIT currentTrackChanged(m_currentTrack.get());
}

void CTaviDoc::CloseCurrentTrack() {
    if (!m_currentTrack) {
        return;
    }
    // Announced first, so that nobody reads the track while it is being closed.
    std::unique_ptr<engines::CMediaTrack> track = std::move(m_currentTrack);
    Q_EMIT currentTrackChanged(nullptr);
    track->Close();
}

std::unique_ptr<engines::CMediaTrack> CTaviDoc::TakeCurrentTrack() {
    std::unique_ptr<engines::CMediaTrack> track = std::move(m_currentTrack);
    if (track) {
        Q_EMIT currentTrackChanged(nullptr);
    }
    return track;
}

bool CTaviDoc::SaveModified() {
    if (IsModified() && m_closing && settings::playerSettings().saveOnExit &&
        !GetPathName().isEmpty() && !QFileInfo(GetPathName()).isDir() && CanSaveTo(GetPathName())) {
        return DoSave(GetPathName(), true);
    }
    return CUndoDoc::SaveModified();
}

QByteArray CTaviDoc::StoreSnapshot() const {
    m_model->flushBatch();  // rows still waiting to be announced belong to the state
    const PlaylistModel& list = *m_model;
    return DocumentSnapshot::write(
        list.count(), list.current(),
        [&list](qsizetype i) -> const QString& { return list.path(int(i)); });
}

void CTaviDoc::LoadSnapshot(const QByteArray& snapshot) {
    auto loaded = DocumentSnapshot::read(snapshot);
    if (loaded) {
        m_model->reset(loaded->entries, loaded->selection);
    }
}

bool CTaviDoc::OnNewDocument() {
    if (!CUndoDoc::OnNewDocument()) {
        return false;
    }
    m_editor->CancelAdditions();
    m_model->clear();
    ResetUndo(true);
    Q_EMIT documentInitialized();
    return true;
}

// The CD drive's root, with or without its last "/", compared without regard to case.
bool CTaviDoc::IsCdRoot(const QString& path) {
    const QString root = engines::cd::FindCdDrive();
    if (root.isEmpty()) {
        return false;
    }
    const auto same = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    };
    return same(path, root) || same(path + QLatin1Char('/'), root);
}

bool CTaviDoc::OnOpenDocument(const QString& path) {
    WaitCursor wait;
    if (IsCdRoot(path)) {
        m_editor->CancelAdditions();
        m_model->clear();
        if (!m_editor->AddAllCdTracks()) {
            ReportError(engines::cd::NoCdFoundText());
        }
        ResetUndo(true);
        Q_EMIT documentInitialized();
        return true;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return false;
    }
    m_editor->CancelAdditions();
    if (info.isDir()) {
        m_model->clear();
        ResetUndo(true);
        // The folder's files arrive in the background; the list counts as opened when
        // they are all in.
        m_editor->AddFolder(path, [this] {
            ResetUndo(true);
            Q_EMIT documentInitialized();
        });
        return true;
    }
    if (!openPlaylistFile(path)) {
        return false;
    }
    ResetUndo(true);
    Q_EMIT documentInitialized();
    return true;
}

bool CTaviDoc::RestoreFrom(const QString& file, const QString& pathName) {
    m_editor->CancelAdditions();
    if (!openPlaylistFile(file)) {
        return false;
    }
    ResetUndo(true);
    if (pathName.isEmpty()) {
        CDocument::OnNewDocument();  // untitled, no path
    } else {
        SetPathName(pathName, false);
    }
    SetModifiedFlag(true);
    Q_EMIT documentInitialized();
    return true;
}

bool CTaviDoc::openPlaylistFile(const QString& path) {
    QStringList entries;
    try {
        if (!m_fileHooks.load) {
            throw std::runtime_error("");
        }
        entries = m_fileHooks.load(path);
    } catch (const std::exception& error) {
        ReportError(messageOf(error, kFailedToOpen));
        return false;
    }
    // Read first, clear after: a file that cannot be read leaves the list as it was.
    m_model->reset(entries, entries.isEmpty() ? -1 : 0);
    return true;
}

bool CTaviDoc::CanSaveTo(const QString& path) const {
    return !IsReadOnlyPlaylistFile(path);
}

bool CTaviDoc::OnSaveDocument(const QString& path) {
    try {
        if (!m_fileHooks.save) {
            throw std::runtime_error("No playlist writer is available.");
        }
        if (QFileInfo(path).isDir()) {
            throw std::runtime_error(
                QCoreApplication::translate("CTaviDoc",
                                            "'%1' is a folder and cannot be written as a playlist.")
                    .arg(path)
                    .toStdString());
        }
        m_fileHooks.save(path, m_model->paths());
    } catch (const std::exception& error) {
        ReportError(
            messageOf(error, QCoreApplication::translate("CTaviDoc", "Failed to save document.")));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

}  // namespace tavi::playlist
