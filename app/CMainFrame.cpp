#include "app/CMainFrame.h"

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <filesystem>

#include "app/CFileProperties.h"
#include "app/CHelpWindow.h"
#include "app/CQuickOpenDialog.h"
#include "app/CTipDialog.h"
#include "app/CommandIds.h"
#include "app/ContextMenus.h"
#include "app/DocumentTitle.h"
#include "app/WindowPlacement.h"
#include "display/DisplayTexts.h"
#include "display/ui/CGoToDialog.h"
#include "display/ui/CHexWindow.h"
#include "display/ui/OptionPages.h"
#include "display/ui/PositionCommands.h"
#include "editdata/CQuickUndoList.h"
#include "editdata/EditDataStrings.h"
#include "editdata/ui/CQuickUndoPopup.h"
#include "exchange/ClipboardExchange.h"
#include "interpret/ui/CHexInterpreter.h"
#include "marks/DatamarkDefinition.h"
#include "marks/MarkCommandIds.h"
#include "platform/File.h"
#include "platform/FileCopy.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"

namespace {

// The open-file tab control's width when the bar is made.
constexpr int kTabControlWidth = 444;

constexpr int kPaneWidths[] = {0, 80, 120, 200, 160, 128, 40};

// "%s no longer exists. Remove it from the recent files?"
constexpr int kRecentFileGone = 1173;

// Room for the name, size, type and date columns of the file dialogs.
const QSize kFileDialogSize(860, 520);

}  // namespace

// --------------------------------------------------------------- frame

CMainFrame::CMainFrame(CSettings& settings, const platform::StringTable& strings,
                       platform::MessageService& messages, platform::ProgressRunner* progress)
    : settings_(settings),
      strings_(strings),
      messages_(messages),
      progress_(progress),
      area_(new QMdiArea(this)),
      tabs_(new QTabBar(this)),
      updateTimer_(new QTimer(this)),
      recent_(settings.get(settings::general::MruFileCount)) {
    setWindowTitle(QStringLiteral("Kestrane"));
    setWindowIcon(commandIcon("kestrane"));
    // The programs beside this one are looked for once, not on every update.
    const QDir own(QCoreApplication::applicationDirPath());
    siblings_.tamsorel = QFileInfo::exists(own.filePath(QStringLiteral("Tamsorel")));
    siblings_.pellwick = QFileInfo::exists(own.filePath(QStringLiteral("Pellwick")));
    setCentralWidget(area_);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    recent_.load(settings);
    setUpDatamarks();
    buildMenus();
    buildToolBars();
    buildStatusBar();
    setUpWorkspace();
    setUpInterpreter();
    setUpDialogHelp();
    setAcceptDrops(settings.get(settings::general::DragAcceptFile) != 0);
    connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        const auto list = children();
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == window) {
                tabs_->setCurrentIndex(static_cast<int>(i));
            }
        }
        followActiveFileInWorkspace();
        updateCommands();
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        const auto list = children();
        if (index >= 0 && index < static_cast<int>(list.size())) {
            area_->setActiveSubWindow(list[static_cast<std::size_t>(index)]);
        }
    });
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int index = tabs_->tabAt(at);
        const auto list = children();
        if (index < 0 || index >= static_cast<int>(list.size())) {
            return;
        }
        CChildFrame* child = list[static_cast<std::size_t>(index)];
        QMenu menu(this);
        QAction* close = menu.addAction(QStringLiteral("Close"));
        QAction* save = menu.addAction(QStringLiteral("Save"));
        save->setEnabled(child->document().isModified());
        QAction* tabsLike = menu.addAction(QStringLiteral("Tabs Like"));
        tabsLike->setCheckable(true);
        tabsLike->setChecked(tabs_->shape() == QTabBar::RoundedNorth);
        const QAction* chosen = menu.exec(tabs_->mapToGlobal(at));
        if (chosen == close) {
            closeDocument(*child);
        } else if (chosen == save) {
            saveDocument(*child, false);
        } else if (chosen == tabsLike) {
            tabs_->setShape(tabs_->shape() == QTabBar::RoundedNorth ? QTabBar::TriangularNorth
                                                                    : QTabBar::RoundedNorth);
        }
    });
    connect(updateTimer_, &QTimer::timeout, this, [this] { updateCommands(); });
    updateTimer_->start(250);
    updateCommands();
}

CMainFrame::~CMainFrame() {
    // The children go before the frame's own parts: they must not call back.
    updateTimer_->stop();
    for (const auto& connection : childConnections_) {
        disconnect(connection);
    }
    for (CChildFrame* child : children()) {
        child->document().onTitleChanged = nullptr;
        delete child;
    }
    delete interpreter_;  // it writes its stored values as it goes
}

QAction* CMainFrame::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text, const QKeySequence& keys,
                                std::function<void()> run) {
    QAction* command = menu->addAction(text);
    command->setData(id);
    // Tool-bar buttons show the name without its accelerator.
    command->setIconText(text.section('\t', 0, 0).remove('&'));
    if (!keys.isEmpty()) {
        command->setShortcut(keys);
    }
    if (run) {
        connect(command, &QAction::triggered, this, [run] { run(); });
    } else {
        command->setEnabled(false);  // its part of the program is not built yet
    }
    actions_[id] = command;
    return command;
}

void CMainFrame::tileWindows(bool sideBySide) {
    const QList<QMdiSubWindow*> windows = area_->subWindowList(QMdiArea::CreationOrder);
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* window : windows) {
        if (!window->isMinimized() && window->isVisible()) {
            shown.append(window);
        }
    }
    if (shown.isEmpty()) {
        return;
    }
    const QRect room = area_->viewport()->rect();
    const int count = static_cast<int>(shown.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = shown[i];
        window->showNormal();
        if (sideBySide) {
            const int left = room.width() * i / count;
            window->setGeometry(left, 0, room.width() * (i + 1) / count - left, room.height());
        } else {
            const int top = room.height() * i / count;
            window->setGeometry(0, top, room.width(), room.height() * (i + 1) / count - top);
        }
    }
}

void CMainFrame::runOnPanel(const std::function<void(CHexPanel&)>& command) {
    if (CChildFrame* child = activeChild()) {
        command(child->panel());
        child->view().update();
    }
}

void CMainFrame::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(file, cmd::FileNew, QStringLiteral("&New...\tCtrl+N"), QKeySequence::New,
               [this] { fileNew(); });
    addCommand(file, cmd::FileNewAndPaste, QStringLiteral("Ne&w And Paste..."), {},
               [this] { fileNewAndPaste(); });
    addCommand(file, cmd::FileOpen, QStringLiteral("&Open...\tCtrl+O"), QKeySequence::Open, [this] {
        QFileDialog dialog(this, QString::fromStdString(strings_.text(61440)));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(
            {QStringLiteral("Kestrane Files (*.hex)"), QStringLiteral("All Files (*)")});
        dialog.selectNameFilter(QStringLiteral("All Files (*)"));
        // Our own dialog, so it can carry the read-only check box; the
        // detail view shows each file's size and date.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.resize(kFileDialogSize);
        auto* readOnly = new QCheckBox(QStringLiteral("Open as &read-only"), &dialog);
        readOnly->setChecked(settings_.get(settings::general::DefaultReadonly) != 0);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            openDocument(dialog.selectedFiles().front().toStdString(), readOnly->isChecked());
        }
    });
    addCommand(file, cmd::FileQuickOpen, QStringLiteral("&Quick Open..."), {}, [this] {
        CQuickOpenDialog dialog(settings_.workDirectory(), this);
        if (dialog.exec() == QDialog::Accepted) {
            openDocument(dialog.path(), dialog.readOnly());
        }
    });
    addCommand(file, cmd::FileClose, QStringLiteral("&Close"), {}, [this] {
        if (CChildFrame* child = activeChild()) {
            closeDocument(*child);
        }
    });
    addCommand(file, cmd::FileCloseAll, QStringLiteral("Clos&e All"), {},
               [this] { closeAllDocuments(); });
    file->addSeparator();
    addCommand(file, cmd::FileSave, QStringLiteral("&Save\tCtrl+S"), QKeySequence::Save, [this] {
        if (CChildFrame* child = activeChild()) {
            saveDocument(*child, false);
        }
    });
    addCommand(file, cmd::FileSaveAs, QStringLiteral("Save &As..."), {}, [this] {
        if (CChildFrame* child = activeChild()) {
            saveDocument(*child, true);
        }
    });
    addCommand(file, cmd::FileSaveAll, QStringLiteral("Save A&ll"), {}, [this] {
        for (CChildFrame* child : children()) {
            if (child->document().isModified()) {
                saveDocument(*child, false);
            }
        }
    });
    file->addSeparator();
    addCommand(file, cmd::FileExportFile, QStringLiteral("&Export File As..."), {},
               [this] { exportData(true); });
    addCommand(file, cmd::FileExportSelection, QStringLiteral("Export S&election As..."), {},
               [this] { exportData(false); });
    file->addSeparator();
    addCommand(file, cmd::FileAttributes, QStringLiteral("File Attri&butes..."), {}, [this] {
        if (CChildFrame* child = activeChild();
            child != nullptr && !child->document().path().empty()) {
            showFileProperties(child->document().path(), this);
        }
    });
    file->addSeparator();
    addCommand(file, cmd::FilePageSetup, QStringLiteral("Page Set&up..."), {},
               [this] { pageSetup(); });
    addCommand(file, cmd::FilePrintSetup, QStringLiteral("P&rint Setup..."), {},
               [this] { printSetup(); });
    addCommand(file, cmd::FilePrintPreview, QStringLiteral("Print Pre&view"), {},
               [this] { printPreview(); });
    addCommand(file, cmd::FilePrint, QStringLiteral("&Print...\tCtrl+P"), QKeySequence::Print,
               [this] { print(); });
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("Recent &Files"));
    refreshRecentMenu();
    file->addSeparator();
    addCommand(file, cmd::AppExit, QStringLiteral("E&xit"), {}, [this] { close(); });

    QMenu* edit = buildEditMenu();
    QMenu* search = buildSearchMenu();

    QMenu* view = buildViewMenu();
    viewMenu_ = view;

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    addCommand(tools, cmd::ToolsCalculator, QStringLiteral("&Normal Calculator"), {}, [] {
        for (const char* name :
             {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "xcalc"}) {
            if (QProcess::startDetached(QString::fromLatin1(name), {})) {
                return;
            }
        }
    });
    addCommand(tools, cmd::ToolsMultibyteCalculator, QStringLiteral("&Multibyte Calculator"), {},
               [this] { launchSibling("Tamsorel"); });
    addCommand(tools, cmd::ToolsInterpreter, QStringLiteral("Hex &Data Interpreter"), {},
               [this] { launchSibling("Pellwick"); });
    QAction* interpretation =
        addCommand(tools, cmd::ToolsInterpretationWindow,
                   QStringLiteral("Data &Interpretation Dialog"), {}, [this] {
                       if (interpreter_ != nullptr) {
                           interpreter_->setHiddenByUser(!interpreter_->isHiddenByUser());
                       }
                   });
    interpretation->setCheckable(true);
    addCommand(tools, cmd::ToolsOptions, QStringLiteral("&Options..."), {},
               [this] { showOptions(); });

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    addCommand(window, cmd::WindowClose, QStringLiteral("&Close"), {}, [this] {
        if (CChildFrame* child = activeChild()) {
            closeDocument(*child);
        }
    });
    addCommand(window, cmd::WindowCloseAll, QStringLiteral("Close &All"), {},
               [this] { closeAllDocuments(); });
    addCommand(window, cmd::WindowNext, QStringLiteral("&Next"),
               QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { activateTab(1); });
    addCommand(window, cmd::WindowPrevious, QStringLiteral("&Previous"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), [this] { activateTab(-1); });
    window->addSeparator();
    addCommand(window, cmd::WindowCascade, QStringLiteral("Ca&scade"), {},
               [this] { area_->cascadeSubWindows(); });
    addCommand(window, cmd::WindowTileHorizontal, QStringLiteral("Tile &Horizontally"), {},
               [this] { tileWindows(false); });
    addCommand(window, cmd::WindowTileVertical, QStringLiteral("Tile &Vertically"), {},
               [this] { tileWindows(true); });
    addCommand(window, cmd::WindowShowOpenFiles, QStringLiteral("Show &open files"), {}, [this] {
        if (CChildFrame* child = activeChild()) {
            const auto list = children();
            tabs_->setCurrentIndex(
                static_cast<int>(std::find(list.begin(), list.end(), child) - list.begin()));
        }
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addCommand(help, cmd::HelpContents, QStringLiteral("&Contents"), {},
               [this] { helpWindow().showTab(CHelpWindow::Tab::Contents); });
    addCommand(help, cmd::HelpIndex, QStringLiteral("&Index"), {},
               [this] { helpWindow().showTab(CHelpWindow::Tab::Index); });
    addCommand(help, cmd::HelpSearch, QStringLiteral("&Search"), {},
               [this] { helpWindow().showTab(CHelpWindow::Tab::Search); });
    addCommand(help, cmd::HelpTipOfTheDay, QStringLiteral("&Tip of the Day..."), {},
               [this] { showTipOfTheDay(); });
    addCommand(help, cmd::HelpAbout, QStringLiteral("&About Kestrane..."), {}, [this] {
        QMessageBox about(QMessageBox::Information, QStringLiteral("About Kestrane"),
                          QStringLiteral("Kestrane Version 1.12\n\nA hexadecimal editor for files "
                                         "of any size."),
                          QMessageBox::Ok, this);
        about.exec();
    });

    for (QMenu* menu : {file, edit, search, view, tools, window, help}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { updateCommands(); });
    }
}

void CMainFrame::buildToolBars() {
    QToolBar* standard = addToolBar(QStringLiteral("Standard toolbar"));
    standard->setObjectName(QStringLiteral("Standard toolbar"));
    const std::pair<int, const char*> icons[] = {
        {cmd::FileNew, "new"},     {cmd::FileOpen, "open"},
        {cmd::FileSave, "save"},   {cmd::FileSaveAll, "saveall"},
        {cmd::EditCut, "cut"},     {cmd::EditCopy, "copy"},
        {cmd::EditPaste, "paste"}, {cmd::EditReadOnly, "readonly"},
        {cmd::EditUndo, "undo"},   {cmd::EditQuickUndo, "quickundo"},
        {cmd::EditRedo, "redo"},   {cmd::EditQuickRedo, "quickredo"},
        {cmd::FilePrint, "print"}, {cmd::HelpAbout, "about"},
    };
    for (const auto& [id, name] : icons) {
        action(id)->setIcon(commandIcon(name));
        action(id)->setToolTip(action(id)->iconText());
    }
    for (int id :
         {cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::FileSaveAll, 0, cmd::EditCut,
          cmd::EditCopy, cmd::EditPaste, 0, cmd::EditReadOnly, 0, cmd::EditUndo, cmd::EditQuickUndo,
          cmd::EditRedo, cmd::EditQuickRedo, 0, cmd::FilePrint, cmd::HelpAbout}) {
        if (id == 0) {
            standard->addSeparator();
        } else {
            standard->addAction(action(id));
        }
    }
    QToolBar* presentation = buildPresentationBar();
    QToolBar* search = buildSearchBar();
    addToolBarBreak();
    QToolBar* tabBar = addToolBar(QStringLiteral("Open File Tab"));
    tabBar->setObjectName(QStringLiteral("Open File Tab"));
    tabBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    tabs_->setShape(settings_.get(settings::frame::TabsLike) != 0 ? QTabBar::RoundedNorth
                                                                  : QTabBar::TriangularNorth);
    tabBar->addWidget(tabs_);
    tabs_->setMinimumWidth(kTabControlWidth);
    const bool tips = settings_.get(settings::view::ToolbarTip) != 0;
    toolbarTips_ = tips;
    // The buttons' tips are held back while "Toolbar Tips" is off.
    for (QToolBar* bar : {standard, presentation, search, tabBar}) {
        for (QAction* command : bar->actions()) {
            if (QWidget* button = bar->widgetForAction(command)) {
                button->installEventFilter(this);
            }
        }
    }
    // View > the bars, each shown or hidden by its own command.
    QMenu* view = viewMenu_;
    view->addSeparator();
    const std::pair<int, QToolBar*> bars[] = {{cmd::ViewToolbar, standard},
                                              {cmd::ViewPresentationBar, presentation},
                                              {cmd::ViewSearchBar, search},
                                              {cmd::ViewFileTabs, tabBar}};
    for (const auto& [id, bar] : bars) {
        QAction* toggle = bar->toggleViewAction();
        toggle->setData(id);
        view->addAction(toggle);
        actions_[id] = toggle;
    }
    QAction* toolbarTips = view->addAction(QStringLiteral("Toolbar &Tips"));
    toolbarTips->setCheckable(true);
    toolbarTips->setChecked(tips);
    toolbarTips->setData(cmd::ViewToolbarTips);
    actions_[cmd::ViewToolbarTips] = toolbarTips;
    connect(toolbarTips, &QAction::toggled, this, [this](bool on) {
        toolbarTips_ = on;
        if (interpreter_ != nullptr) {
            interpreter_->setTipsShown(on);
        }
    });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !toolbarTips_) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::buildStatusBar() {
    QAction* toggle = viewMenu_->addAction(QStringLiteral("&Status Bar"));
    toggle->setCheckable(true);
    toggle->setChecked(true);
    toggle->setData(cmd::ViewStatusBar);
    actions_[cmd::ViewStatusBar] = toggle;
    connect(toggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    const char* initial[] = {"", "Page: ", "Line: ", "Pos: ", "Len: ", "Size: ", "Read"};
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        panes_[i] = new QLabel(QString::fromLatin1(initial[i]), this);
        if (i == 0) {
            statusBar()->addWidget(panes_[i], 1);
        } else {
            panes_[i]->setMinimumWidth(kPaneWidths[i]);
            statusBar()->addPermanentWidget(panes_[i]);
        }
    }
}

std::vector<CChildFrame*> CMainFrame::children() const {
    std::vector<CChildFrame*> list;
    for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = dynamic_cast<CChildFrame*>(window)) {
            list.push_back(child);
        }
    }
    return list;
}

CChildFrame* CMainFrame::activeChild() const {
    return dynamic_cast<CChildFrame*>(area_->activeSubWindow());
}

CChildFrame* CMainFrame::addChild() {
    auto* child = new CChildFrame(settings_, messages_, {settings_, progress_, &messages_});
    child->panel().editor().setClipboard(&clipboard_);
    child->panel().datamarks().setLevels(&levels_);
    child->document().saveDatamarks = [this, child] { return storeDatamarksOf(*child); };
    child->openAndGoToDatamark = [this](const std::string& entry) { openAndGoToDatamark(entry); };
    area_->addSubWindow(child);
    tabs_->addTab(QString());
    child->document().onTitleChanged = [this, child] { childTitleChanged(child); };
    // The status panes follow the caret at once, not only on the update timer.
    child->panel().addCaretListener(this);
    child->view().onCommand = [this, child](int id) {
        if (id == cmd::FileAttributes && !child->document().path().empty()) {
            showFileProperties(child->document().path(), this);
        } else if (id == cmd::EditGoTo) {
            child->goToDialog().present();
        } else if (id == cmd::ViewDataStartAddress) {
            runDataStartAddress(child->panel(), messages_, this);
        } else if (id == cmd::ViewDecimalAddress) {
            runPresentation(id);
        } else if (id == cmd::BookmarkClearDatamark || id == cmd::BookmarkEditProperties) {
            runMark(id);  // the mark panel's own entries
        } else if (QAction* command = action(id)) {
            command->trigger();  // the main menu's command of that name
        }
    };
    // The view's menus are tables of the same commands, enabled by the same
    // update pass.
    child->view().beforeMenu = [this] { updateCommands(); };
    child->view().menuFor = [](CHexPanel::Menu menu) -> std::span<const MenuItem> {
        switch (menu) {
            case CHexPanel::Menu::Data:
                return hexDataMenu();
            case CHexPanel::Menu::Address:
                return addressPanelMenu();
            case CHexPanel::Menu::Bookmark:
                return bookmarkMenu();
            default:
                return {};
        }
    };
    child->view().commandState = [this, child](int id) { return commandState(child, id); };
    childConnections_.push_back(
        connect(child, &QObject::destroyed, this, [this, child] { childClosed(child); }));
    return child;
}

void CMainFrame::childTitleChanged(CChildFrame* child) {
    child->panel().setHasPath(!child->document().path().empty());
    const QString title = QString::fromStdString(child->document().title());
    child->setWindowTitle(title);
    const auto list = children();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == child) {
            tabs_->setTabText(static_cast<int>(i), title);
        }
    }
}

void CMainFrame::childClosed(CChildFrame*) {
    // The tabs follow the remaining documents, in the order they were opened.
    const auto list = children();
    while (tabs_->count() > static_cast<int>(list.size())) {
        tabs_->removeTab(tabs_->count() - 1);
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        tabs_->setTabText(static_cast<int>(i), QString::fromStdString(list[i]->document().title()));
    }
}

bool CMainFrame::openDocument(const std::string& given, bool readOnly) {
    // A document is known by its absolute path, however it was named.
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::weakly_canonical(given, ignored);
    const std::string path = absolute.empty() ? given : absolute.string();
    for (CChildFrame* child : children()) {
        if (child->document().path() == path ||
            platform::isSameFile(child->document().path(), path)) {
            area_->setActiveSubWindow(child);
            return true;
        }
    }
    // A file we may not write is opened read-only, or made writable on request.
    if (!readOnly && ::access(path.c_str(), W_OK) != 0 && ::access(path.c_str(), F_OK) == 0) {
        const auto answer =
            messages_.show(1031, {platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                                  platform::MessageAnswer::No});
        readOnly = true;
        if (answer == platform::MessageAnswer::Yes) {
            std::error_code error;
            std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, error);
            readOnly = error || ::access(path.c_str(), W_OK) != 0;
        }
    }
    CChildFrame* child = addChild();
    if (!child->panel().openFile(path, readOnly ? kGenericRead : kGenericRead | kGenericWrite)) {
        const int error = child->panel().data().lastError();
        child->close();
        reportFileError(path, error, "opened");
        return false;
    }
    child->document().setPath(path);
    loadDatamarksOf(*child);
    child->show();
    if (settings_.get(settings::general::MaximizeDocFrame) != 0 && children().size() == 1) {
        child->showMaximized();
    }
    recent_.add(path);
    recent_.save(settings_);
    refreshRecentMenu();
    updateCommands();
    return true;
}

bool CMainFrame::saveDocument(CChildFrame& child, bool askForName) {
    CKestraneDoc& document = child.document();
    std::string path = document.path();
    if (askForName || path.empty()) {
        QFileDialog dialog(this, QStringLiteral("Save As"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.resize(kFileDialogSize);
        dialog.selectFile(QString::fromStdString(titleWithoutMark(document.title())));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        path = dialog.selectedFiles().front().toStdString();
    }
    CEditData& data = child.panel().data();
    if (!child.panel().saveFile(path)) {
        const int error = data.lastError();
        if (error != ECANCELED) {  // the user chose not to overwrite: nothing to report
            reportFileError(path, error != 0 ? error : EIO, "saved");
        }
        return false;
    }
    const bool renamed = path != document.path();
    document.setPath(path);
    if (renamed) {
        // The datamarks go with the file to its new path; the old path keeps its own.
        const std::string failure = storeDatamarksOf(child);
        if (!failure.empty()) {
            messages_.show(marktext::kSaveFailed, {platform::MessageIcon::Exclamation}, {failure});
        }
    }
    recent_.add(path);
    recent_.save(settings_);
    refreshRecentMenu();
    child.view().update();
    return true;
}

void CMainFrame::reportFileError(const std::string& path, int error, const char* doing) {
    if (error == EWOULDBLOCK) {
        messages_.show(editstrings::kInUse, {platform::MessageIcon::Stop}, {path});
        return;
    }
    messages_.showText("The file \"" + path + "\" could not be " + doing + ": " +
                           platform::errorText(error != 0 ? error : EINVAL) + ".",
                       {platform::MessageIcon::Stop});
}

bool CMainFrame::askToSave(CChildFrame& child) {
    if (!child.document().isModified()) {
        return true;
    }
    // The document asked about is the one in front.
    area_->setActiveSubWindow(&child);
    const auto answer = messages_.showText(
        "Save changes to " + titleWithoutMark(child.document().title()) + "?",
        {platform::MessageIcon::Exclamation, platform::MessageButtons::YesNoCancel});
    return answer == platform::MessageAnswer::No ||
           (answer == platform::MessageAnswer::Yes && saveDocument(child, false));
}

bool CMainFrame::finishClose(CChildFrame& child) {
    if (!child.document().closeDatamarks()) {
        return false;
    }
    child.panel().closeFile();
    child.close();
    return true;
}

bool CMainFrame::closeDocument(CChildFrame& child) {
    if (!askToSave(child)) {
        return false;
    }
    return finishClose(child);
}

bool CMainFrame::closeAllDocuments() {
    // Every question comes before anything closes: Cancel leaves all open.
    const std::vector<CChildFrame*> all = children();
    for (CChildFrame* child : all) {
        if (!askToSave(*child)) {
            return false;
        }
    }
    for (CChildFrame* child : all) {
        if (!finishClose(*child)) {
            return false;  // its datamarks could not be saved and it stays open
        }
    }
    return true;
}

void CMainFrame::activateTab(int step) {
    const int count = tabs_->count();
    if (count > 1) {
        tabs_->setCurrentIndex(((tabs_->currentIndex() + step) % count + count) % count);
    }
}

void CMainFrame::showQuickList(bool undo) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    CQuickUndoList list;
    list.fill(child->panel().data(),
              undo ? CQuickUndoList::Kind::Undo : CQuickUndoList::Kind::Redo);
    if (list.items().empty()) {
        return;
    }
    if (quickPopup_ == nullptr) {
        quickPopup_ = new CQuickUndoPopup(this);
    }
    // Just below the tool bar's Undo (Redo) button, 4 pixels in and down.
    QPoint at = mapToGlobal(QPoint(0, 0));
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        if (QWidget* button = bar->widgetForAction(action(undo ? cmd::EditUndo : cmd::EditRedo))) {
            at = button->mapToGlobal(button->rect().bottomLeft()) + QPoint(4, 4);
        }
    }
    quickPopup_->popup(list, at, [this, child, undo](int n) {
        CEditData& data = child->panel().data();
        if (undo ? data.undo(n) : data.redo(n)) {
            child->view().update();
            updateCommands();
        }
    });
}

void CMainFrame::showTipOfTheDay() {
    CTipDialog dialog(settings_, strings_, tips_, this);
    dialog.exec();
}

void CMainFrame::launchSibling(const char* name) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(name));
    QProcess::startDetached(program, {});  // a failed launch is not reported
}

void CMainFrame::openRecentFile(const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        if (messages_.show(kRecentFileGone,
                           {platform::MessageIcon::Question, platform::MessageButtons::YesNo},
                           {path}) == platform::MessageAnswer::Yes) {
            recent_.remove(path);
            recent_.save(settings_);
            refreshRecentMenu();
        }
        return;
    }
    openDocument(path);
}

void CMainFrame::refreshRecentMenu() {
    if (recentMenu_ == nullptr) {
        return;
    }
    recentMenu_->clear();
    int number = 1;
    for (const std::string& path : recent_.paths()) {
        QAction* entry = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(QString::fromStdString(path)));
        connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    recentMenu_->setEnabled(!recent_.paths().empty());
}

bool CMainFrame::restorePlacement() {
    const std::string bars = settings_.getString(settings::section::General, "Bar State", "");
    if (!bars.empty()) {
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(bars)));
    }
    const auto placement = WindowPlacement::parse(settings_.get(settings::frame::WindowPos));
    if (!placement) {
        return false;
    }
    setGeometry(placement->left, placement->top, placement->right - placement->left,
                placement->bottom - placement->top);
    if (placement->isMaximized()) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    return true;
}

void CMainFrame::storePlacement() {
    WindowPlacement placement;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.right() + 1;
    placement.bottom = normal.bottom() + 1;
    if (isMaximized()) {
        placement.flags = WindowPlacement::kRestoreToMaximized;
        placement.showCommand = WindowPlacement::kShowMaximized;
    }
    settings_.write(settings::frame::WindowPos, placement.format());
    settings_.writeString(settings::section::General, "Bar State",
                          saveState().toBase64().toStdString());
    settings_.write(settings::frame::TabsLike, tabs_->shape() == QTabBar::RoundedNorth ? 1 : 0);
    if (QAction* tips = action(cmd::ViewToolbarTips)) {
        settings_.write(settings::view::ToolbarTip, tips->isChecked() ? 1 : 0);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!closeAllDocuments()) {
        event->ignore();
        return;
    }
    storePlacement();
    releaseClipboardAtExit(
        clipboard_, settings_.get(settings::general::AutoReleaseClipbrd) != 0, [this] {
            return messages_.show(kReleaseClipboardQuestion, {platform::MessageIcon::Information,
                                                              platform::MessageButtons::YesNo}) ==
                   platform::MessageAnswer::Yes;
        });
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            openDocument(url.toLocalFile().toStdString());
        }
    }
}
