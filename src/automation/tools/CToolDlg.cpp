#include "CToolDlg.h"

#include "ToolExpansion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace tavi::automation::tools {

namespace {

QLineEdit* LimitedEdit(int limit, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(limit);
    edit->setMinimumWidth(320);
    return edit;
}

QWidget* WithButton(QLineEdit* edit, QAbstractButton* button, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(button, 0);
    return row;
}

}  // namespace

const QStringList& CToolDlg::WindowModes() {
    // The show commands by index; the list shows them translated.
    static const QStringList modes{QString::fromLatin1(QT_TR_NOOP("hidden")),
                                   QString::fromLatin1(QT_TR_NOOP("normal")),
                                   QString::fromLatin1(QT_TR_NOOP("minimized")),
                                   QString::fromLatin1(QT_TR_NOOP("maximized")),
                                   QString::fromLatin1(QT_TR_NOOP("inactive")),
                                   QString::fromLatin1(QT_TR_NOOP("active")),
                                   QString::fromLatin1(QT_TR_NOOP("minimize")),
                                   QString::fromLatin1(QT_TR_NOOP("minimized, inactive")),
                                   QString::fromLatin1(QT_TR_NOOP("show, inactive")),
                                   QString::fromLatin1(QT_TR_NOOP("restore"))};
    return modes;
}

CToolDlg::CToolDlg(const CTool& tool, QWidget* parent)
    : QDialog(parent),
      m_tool(tool),
      m_description(LimitedEdit(79, this)),
      m_command(LimitedEdit(260, this)),
      m_parameters(LimitedEdit(260, this)),
      m_folder(LimitedEdit(256, this)),
      m_window(new QComboBox(this)),
      m_hotKey(new QKeySequenceEdit(this)),
      m_console(new QCheckBox(tr("Use &output window"), this)),
      m_icon(new QToolButton(this)) {
    setWindowTitle(tr("Tool Properties"));
    for (const QString& mode : WindowModes()) {
        m_window->addItem(tr(mode.toLatin1().constData()));
    }
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* folder = new QPushButton(QStringLiteral("..."), this);
    auto* placeholder = new QPushButton(QStringLiteral(">"), this);
    connect(browse, &QPushButton::clicked, this, &CToolDlg::BrowseCommand);
    connect(folder, &QPushButton::clicked, this, &CToolDlg::BrowseFolder);
    connect(placeholder, &QPushButton::clicked, this,
            [this] { CreatePlaceholderMenu()->exec(QCursor::pos()); });
    connect(m_icon, &QToolButton::clicked, this, &CToolDlg::ChooseIcon);
    m_icon->setIconSize(QSize(32, 32));
    auto* form = new QFormLayout;
    form->addRow(tr("&Description"), m_description);
    form->addRow(tr("&Command"), WithButton(m_command, browse, this));
    form->addRow(tr("&Parameters"), WithButton(m_parameters, placeholder, this));
    form->addRow(tr("&Start in folder"), WithButton(m_folder, folder, this));
    form->addRow(tr("&Window"), m_window);
    form->addRow(tr("&Hotkey"), m_hotKey);
    form->addRow(m_console);
    form->addRow(tr("Icon"), m_icon);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    Show(tool);
}

void CToolDlg::Show(const CTool& tool) {
    m_description->setText(tool.description);
    m_command->setText(tool.commandLine);
    m_parameters->setText(tool.parameters);
    m_folder->setText(tool.startFolder);
    m_window->setCurrentIndex(int(std::min<uint32_t>(tool.startOptions, 9)));
    m_hotKey->setKeySequence(QKeySequence(int(tool.hotKey)));
    m_console->setChecked(tool.useConsole);
    m_icon->setIcon(tool.Icon());
}

CTool CToolDlg::Tool() const {
    CTool tool = m_tool;
    tool.description = m_description->text();
    tool.commandLine = m_command->text();
    tool.parameters = m_parameters->text();
    tool.startFolder = m_folder->text();
    tool.startOptions = uint32_t(std::max(0, m_window->currentIndex()));
    const QKeySequence keys = m_hotKey->keySequence();
    tool.hotKey = keys.isEmpty() ? 0 : uint32_t(keys[0].toCombined());
    tool.useConsole = m_console->isChecked();
    tool.LoadToolIcons();
    return tool;
}

void CToolDlg::ChooseCommand(const QString& path) {
    m_tool = Tool();
    m_tool.SetToolCommand(path);
    Show(m_tool);
}

void CToolDlg::BrowseCommand() {
    const QString start = QFileInfo(ExpandEnvironment(m_command->text())).absolutePath();
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Browse"), start,
        tr("Programs (*.sh *.py *.pl *.desktop *.exe *.bat *.cmd);;All Files (*)"));
    if (!path.isEmpty()) {
        ChooseCommand(path);
    }
}

void CToolDlg::BrowseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Start in folder"), m_folder->text());
    if (!folder.isEmpty()) {
        m_folder->setText(folder);
    }
}

void CToolDlg::ChooseIcon() {
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Icon"), QFileInfo(m_tool.iconFile).absolutePath(),
                                     tr("Icons (*.png *.svg *.xpm *.ico);;All Files (*)"));
    if (!file.isEmpty()) {
        m_tool = Tool();
        m_tool.iconFile = file;
        m_tool.iconIndex = 0;
        m_tool.LoadToolIcons();
        m_icon->setIcon(m_tool.Icon());
    }
}

std::unique_ptr<QMenu> CToolDlg::CreatePlaceholderMenu() {
    auto menu = std::make_unique<QMenu>();
    // Menu 2229 of the language module: its items by command id.
    struct Text {
        const char* source;
        const char* id;
    };
    struct Item {
        int command;
        Text text;
    };
    const Item items[] = {{kFileName, QT_TRANSLATE_NOOP3("Menu2229", "File &Name", "2230")},
                          {kFileExt, QT_TRANSLATE_NOOP3("Menu2229", "File &Extension", "2231")},
                          {kFilePath, QT_TRANSLATE_NOOP3("Menu2229", "File &Path", "2232")},
                          {kFileDir, QT_TRANSLATE_NOOP3("Menu2229", "File &Folder", "2233")},
                          {kFileDrive, QT_TRANSLATE_NOOP3("Menu2229", "File &Drive", "2234")}};
    for (const auto& [command, text] : items) {
        QAction* action =
            menu->addAction(QCoreApplication::translate("Menu2229", text.source, text.id), this,
                            [this, command = command] { InsertPlaceholder(command); });
        action->setData(command);
    }
    return menu;
}

void CToolDlg::InsertPlaceholder(int command) {
    static const QStringList texts{QStringLiteral("$(FileName)"), QStringLiteral("$(FileExt)"),
                                   QStringLiteral("$(FilePath)"), QStringLiteral("$(FileDir)"),
                                   QStringLiteral("$(FileDrive)")};
    if (command >= kFileName && command <= kFileDrive) {
        m_parameters->insert(texts[command - kFileName]);  // replaces the selection, undoably
    }
}

}  // namespace tavi::automation::tools
