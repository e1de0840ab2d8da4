#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace tavi::playlist {

// The small document framework the playlist builds on: a path name (empty for a new
// document), a title, a modified flag, and the new/open/save/save-modified steps with
// virtual hooks. There is one document and one view; the view listens to the signals.
// Questions and dialogs are asked through DocumentPrompts, so the framework itself has no
// widgets and tests answer the questions.
class CDocument : public QObject {
    Q_OBJECT
public:
    enum class SaveAnswer { Yes, No, Cancel };
    struct DocumentPrompts {
        // "Save changes to %1?" with the document's title.
        std::function<SaveAnswer(const QString& question)> askSaveChanges;
        // The save dialog, starting from a suggested path; an empty result cancels.
        std::function<QString(const QString& suggestedPath)> askSavePath;
        // A load or save error's message.
        std::function<void(const QString& message)> reportError;
    };

    explicit CDocument(QObject* parent = nullptr);
    ~CDocument() override;

    const QString& GetPathName() const { return m_pathName; }
    // Sets the path name and the title (the path's last component); with addToRecent the
    // path is announced for the recent-file list.
    void SetPathName(const QString& path, bool addToRecent = true);
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);

    DocumentPrompts& prompts() { return m_prompts; }
    static QString untitledName();

    // File > New: asks to save a modified document, then OnNewDocument().
    bool NewDocument();
    // File > Open and the command line: the same path (compared without regard to case)
    // only reports success; otherwise asks to save, opens, and records the path name.
    bool OpenDocumentFile(const QString& path);
    // File > Save: to the path name, or through the dialog when there is none or the
    // document may not be written there.
    bool Save();
    // File > Save As and Save: an empty path asks for one with the dialog. With replace
    // the saved path becomes the document's path name.
    bool DoSave(const QString& path, bool replace = true);
    // Asked before New, Open and Exit; false when the user cancels or the save fails.
    virtual bool SaveModified();

    // Refresh every view of the document.
    void UpdateAllViews();

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    void recentFileAdded(const QString& path);
    void viewsNeedUpdate();

protected:
    // Called by NewDocument(); the base clears the path name and titles the document
    // "Untitled". Overrides call the base first.
    virtual bool OnNewDocument();
    // Reads the document; false when it could not be opened (errors already reported).
    virtual bool OnOpenDocument(const QString& path);
    // Writes the document; false on failure (errors already reported).
    virtual bool OnSaveDocument(const QString& path);
    // Whether Save may write to path; false for files the document was read from but must
    // never replace.
    virtual bool CanSaveTo(const QString& /*path*/) const { return true; }
    void ReportError(const QString& message);

private:
    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    DocumentPrompts m_prompts;
};

}  // namespace tavi::playlist
