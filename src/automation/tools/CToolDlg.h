#pragma once

#include "CTool.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QKeySequenceEdit;
class QLineEdit;
class QMenu;
class QToolButton;

namespace tavi::automation::tools {

// "Tool Properties": one tool's fields. The placeholder button inserts $(FileName),
// $(FileExt), $(FilePath), $(FileDir) or $(FileDrive) at the caret of the parameters.
class CToolDlg : public QDialog {
    Q_OBJECT
public:
    enum Placeholder { kFileName = 2230, kFileExt, kFilePath, kFileDir, kFileDrive };

    CToolDlg(const CTool& tool, QWidget* parent = nullptr);
    // The tool as the controls have it.
    CTool Tool() const;
    // Turned into the command as the Browse button does it.
    void ChooseCommand(const QString& path);
    void InsertPlaceholder(int command);
    std::unique_ptr<QMenu> CreatePlaceholderMenu();
    // The window modes by show command, 0 "hidden" to 9 "restore".
    static const QStringList& WindowModes();

    QLineEdit* descriptionEdit() const { return m_description; }
    QLineEdit* commandEdit() const { return m_command; }
    QLineEdit* parametersEdit() const { return m_parameters; }
    QLineEdit* folderEdit() const { return m_folder; }
    QComboBox* windowList() const { return m_window; }
    QCheckBox* consoleBox() const { return m_console; }

private:
    void Show(const CTool& tool);
    void BrowseCommand();
    void BrowseFolder();
    void ChooseIcon();

    CTool m_tool;
    QLineEdit* m_description;
    QLineEdit* m_command;
    QLineEdit* m_parameters;
    QLineEdit* m_folder;
    QComboBox* m_window;
    QKeySequenceEdit* m_hotKey;
    QCheckBox* m_console;
    QToolButton* m_icon;
};

}  // namespace tavi::automation::tools
