#include "CDocument.h"

#include "WaitCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavi::playlist {

CDocument::CDocument(QObject* parent) : QObject(parent), m_title(untitledName()) {}

CDocument::~CDocument() = default;

QString CDocument::untitledName() {
    return QCoreApplication::translate("CDocument", "Untitled");
}

void CDocument::SetPathName(const QString& path, bool addToRecent) {
    m_pathName = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    SetTitle(QFileInfo(m_pathName).fileName());
    if (addToRecent) {
        Q_EMIT recentFileAdded(m_pathName);
    }
}

void CDocument::SetTitle(const QString& title) {
    if (title != m_title) {
        m_title = title;
        Q_EMIT titleChanged(title);
    }
}

void CDocument::SetModifiedFlag(bool modified) {
    if (modified != m_modified) {
        m_modified = modified;
        Q_EMIT modifiedChanged(modified);
    }
}

void CDocument::UpdateAllViews() {
    Q_EMIT viewsNeedUpdate();
}

bool CDocument::NewDocument() {
    return SaveModified() && OnNewDocument();
}

bool CDocument::OpenDocumentFile(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!m_pathName.isEmpty() && absolute.compare(m_pathName, Qt::CaseInsensitive) == 0) {
        return true;  // already open: nothing is reloaded and nothing is asked
    }
    if (!SaveModified() || !OnOpenDocument(absolute)) {
        return false;
    }
    SetPathName(absolute);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::Save() {
    return DoSave(CanSaveTo(m_pathName) ? m_pathName : QString(), true);
}

bool CDocument::DoSave(const QString& path, bool replace) {
    QString target = path;
    const bool fromDialog = target.isEmpty();
    if (fromDialog) {
        QString suggestion = m_pathName;
        if (!suggestion.isEmpty() && !CanSaveTo(suggestion)) {
            const QFileInfo read(suggestion);
            suggestion = read.dir().filePath(read.completeBaseName() + QLatin1String(".alb"));
        }
        if (replace && suggestion.isEmpty()) {
            suggestion = m_title + QLatin1String(".alb");
        }
        target = m_prompts.askSavePath ? m_prompts.askSavePath(suggestion) : QString();
        if (target.isEmpty()) {
            return false;
        }
    }
    bool saved = false;
    {
        WaitCursor wait;
        saved = OnSaveDocument(target);
    }
    if (!saved) {
        // The writers replace a file only once it is complete, so nothing partial is left
        // behind; deleting the target here would destroy the file the user chose to replace.
        return false;
    }
    if (replace) {
        SetPathName(target);
    }
    return true;
}

bool CDocument::SaveModified() {
    if (!m_modified) {
        return true;
    }
    const QString question =
        QCoreApplication::translate("CDocument", "Save changes to %1?").arg(m_title);
    const SaveAnswer answer =
        m_prompts.askSaveChanges ? m_prompts.askSaveChanges(question) : SaveAnswer::Cancel;
    switch (answer) {
        case SaveAnswer::Yes:
            return Save();
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

bool CDocument::OnNewDocument() {
    m_pathName.clear();
    SetTitle(untitledName());
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString&) {
    return false;
}

bool CDocument::OnSaveDocument(const QString&) {
    return false;
}

void CDocument::ReportError(const QString& message) {
    if (m_prompts.reportError) {
        m_prompts.reportError(message);
    }
}

}  // namespace tavi::playlist
