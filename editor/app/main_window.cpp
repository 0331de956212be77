#include "editor/app/main_window.h"

#include "editor/app/colour_bar_menu.h"
#include "editor/app/colour_commands.h"
#include "editor/app/colour_panel.h"
#include "editor/app/everyday_commands.h"
#include "editor/app/export_commands.h"
#include "editor/app/export_windows.h"
#include "editor/app/menu_builder.h"
#include "editor/app/picture_commands.h"
#include "editor/app/picture_windows.h"
#include "editor/app/plugin_commands.h"
#include "editor/app/print_commands.h"
#include "editor/app/print_windows.h"
#include "editor/app/qt_user_dialogs.h"
#include "editor/app/toolbar_icons.h"
#include "interchange/file_bytes.h"
#include "editor/shell/web_pane.h"
#include "editor/view/backstitch/widgets/backstitch_view_binding.h"
#include "editor/view/backstitch/widgets/qt_backstitch_dialogs.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/selection/widgets/transform_dialogs_qt.h"
#include "editor/view/view_messages.h"
#include "editor/view/widgets/tool_view_binding.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/code_page.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QActionGroup>

#include <algorithm>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSettings>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QAbstractButton>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace brenmark {

namespace {

QString pathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

template <class Own, class Given>
std::unique_ptr<Given> ownUnless(Given* given, QWidget* parent)
{
    return given ? nullptr : std::make_unique<Own>(parent);
}

// The display modes of the toolbar's mode buttons, by command.
constexpr struct {
    int id;
    ViewMode mode;
} kModeCommands[] = {
    {CmdModeColourBlocks, ViewMode::ColourBlocks},
    {CmdModeSymbolsOnColour, ViewMode::SymbolsOnColour},
    {CmdModeSymbolsOnly, ViewMode::SymbolsOnly},
    {CmdModeSimulated, ViewMode::SimulatedStitches},
};

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent),
      ownDialogs_(ownUnless<QtUserDialogs>(setup.dialogs, this)),
      dialogs_(setup.dialogs ? setup.dialogs : ownDialogs_.get()),
      ownTransformDialogs_(ownUnless<QtTransformDialogs>(setup.transformDialogs, this)),
      ownBackstitchDialogs_(ownUnless<QtBackstitchDialogs>(setup.backstitchDialogs, this)),
      ownPictureDialogs_(ownUnless<QtPictureDialogs>(setup.pictureDialogs, this)),
      progressBar_(new QProgressBar(this)),
      progress_(progressBar_),
      session_(SessionSetup{setup.programDir, dialogs_,
                            setup.transformDialogs ? setup.transformDialogs : ownTransformDialogs_.get(),
                            setup.backstitchDialogs ? setup.backstitchDialogs : ownBackstitchDialogs_.get(),
                            &progress_})
{
    setObjectName(u"mainWindow"_qs);
    setWindowIcon(commandIcon(CommandIcon::Application));

    viewWidget_ = new PatternViewWidget(session_.view(), this);
    setCentralWidget(viewWidget_);
    toolBinding_ = new ToolViewBinding(viewWidget_, session_.view(), session_.tools());
    session_.setToolHost(toolBinding_);
    outlineBinding_ = new BackstitchViewBinding(viewWidget_, session_.outlines());

    buildStatusBar();
    routeFrameCommands();
    colourCommands_ = makeColourCommands(session_, setup.colourDialogs, ownColourDialogs_, *dialogs_, this);
    pictures_ = std::make_unique<PictureCommands>(
        session_, setup.pictureDialogs ? *setup.pictureDialogs : *ownPictureDialogs_,
        [this] { docks_.toolWindow->baseImageLoaded(); });
    pictures_->route(session_.router());
    ownPrintDialogs_ = ownUnless<QtPrintDialogs>(setup.printDialogs, this);
    prints_ = std::make_unique<PrintCommands>(session_, setup.printDialogs ? *setup.printDialogs : *ownPrintDialogs_,
                                              pictures_.get());
    prints_->route(session_.router());
    // The export commands.
    ownExportDialogs_ = ownUnless<QtExportDialogs>(setup.exportDialogs, this);
    ownProgramStarter_ = setup.programStarter ? nullptr : std::make_unique<DetachedProgramStarter>();
    exports_ = std::make_unique<ExportCommands>(
        session_, setup.exportDialogs ? *setup.exportDialogs : *ownExportDialogs_,
        setup.programStarter ? *setup.programStarter : *ownProgramStarter_,
        setup.programsDir.empty() ? setup.programDir : setup.programsDir, &progress_);
    exports_->route(session_.router());
    exports_->setCancellable([this](bool on) { progress_.setCancellable(on); });
    // The plug-ins are scanned now; the menu gets them once the window is up.
    plugins_ = std::make_unique<PluginCommands>(session_, *dialogs_,
                                                setup.pluginsDir.empty() ? setup.programDir : setup.pluginsDir,
                                                setup.userDir);
    plugins_->scan();
    plugins_->route(session_.router());
    buildMenus();
    docks_ = buildDocks(*this, session_, *dialogs_);
    addColourCommands(*docks_.colourPanel->barWidget()->contextMenu(), session_.router(), *colourCommands_);
    buildViewMenu();
    {
        MenuBuilder more(*this, session_.router());
        for (const MenuTable& table : kMenuBarAfterView) {
            QMenu* menu = more.menu(table);
            if (table.rows.data() == kPluginMenuRows)
                pluginMenu_ = menu;
        }
        more.action(CmdNoPlugins)->setEnabled(false);
    }
    routeEverydayCommands(*this);
    applyCommandKeys(*this);
    QTimer::singleShot(kPluginScanTimerMs, this, [this] { plugins_->setUp(*pluginMenu_); });
    connectWindows();
    restoreWindowSettings(*this);
    useSettings_ = setup.useSettings;
    loadSettings();
    buildRecentMenu();
    if (!setup.recoveryDir.empty()) {
        recovery_ = std::make_unique<RecoveryStore>(setup.recoveryDir);
        autosave_ = std::make_unique<Autosave>(session_, *recovery_);
    }
    autosaveTimer_ = new QTimer(this);
    connect(autosaveTimer_, &QTimer::timeout, this, [this] { autosaveNow(); });
    applyPreferences(prefs_);
    // The desktop session ending asks as closing does; Cancel keeps it going. Where nothing
    // may be asked, the work goes into the recovery copy at once.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!session_.modified())
            return;
        if (!manager.allowsInteraction()) {
            autosaveNow();
            if (recovery_)
                recovery_->wait();
            return;
        }
        const bool close = session_.commands().confirmClose();
        manager.release();
        if (!close) {
            manager.cancel();
            return;
        }
        // Decided: the close that follows asks nothing more, and no new copy brings back
        // changes the user threw away.
        closeDecidedAt_ = session_.revision();
        autosaveTimer_->stop();
    });
    session_.history().setChanged([this] { updateUndoCaptions(); });
    session_.setWindows(this);
    updateCaptions();
    updateUndoCaptions();

    opener_.start(setup.commandLine,
                  [this](const std::string& commandLine) { session_.commands().openCommandLine(commandLine); },
                  setup.openDelayMs);
}

MainWindow::~MainWindow()
{
    setClearSymbolsForNewPatterns(clearSymbolsBefore_);
    session_.setWindows(nullptr);
    session_.history().setChanged({});
    // The bindings are the tools' hosts and go with the view widget.
    session_.setToolHost(nullptr);
}

void MainWindow::routeFrameCommands()
{
    CommandRouter& router = session_.router();
    DocumentCommands& commands = session_.commands();
    const auto add = [&router](int id, auto work) {
        router.add(id, [work](int, Modifiers) {
            if constexpr (std::is_void_v<decltype(work())>) {
                work();
                return true;
            } else {
                return static_cast<bool>(work());
            }
        });
    };
    add(CmdNewPattern, [&commands] { commands.newPattern(); });
    add(CmdOpenPattern, [&commands] { return commands.openPattern(); });
    add(CmdSavePattern, [&commands] { return commands.savePattern(); });
    add(CmdZoomIn, [this] {
        session_.view().zoomIn();
        refresh(Changes());
    });
    add(CmdZoomOut, [this] {
        session_.view().zoomOut();
        refresh(Changes());
    });
    add(CmdManageThreads, [&commands] { commands.manageThreads(); });
    for (const auto& m : kModeCommands)
        add(m.id, [this, mode = m.mode] { setViewMode(mode); });
    add(CmdCloseWindow, [this] { return close(); });
    add(CmdOpenOldLibrary, [&commands] { return commands.openOldLibraryPattern(); });
    add(CmdExit, [this] { return close(); });
    // The user's mail program on the support address.
    add(CmdFeedback, [] { openFeedbackMail(); });
    add(CmdUndo, [this] { return session_.history().undo(); });
    add(CmdRedo, [this] { return session_.history().redo(); });
    add(CmdInsertPattern, [this] { return session_.insertPattern(); });
    add(CmdFabricColour, [this] { return session_.chooseFabricColour(); });
    add(CmdPreferences, [this] { editPreferences(); });
}

void MainWindow::buildMenus()
{
    MenuBuilder menus(*this, session_.router());
    toolBar_ = menus.toolbar(UI_TEXT_NOOP("工具栏"), u"mainToolBar", kToolbarRows);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(32, 32));
    menus.action(CmdNewPattern)->setShortcut(QKeySequence::New);
    menus.action(CmdOpenPattern)->setShortcut(QKeySequence::Open);
    menus.action(CmdSavePattern)->setShortcut(QKeySequence::Save);
    menus.action(CmdZoomIn)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    menus.action(CmdZoomOut)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    modes_ = new QActionGroup(this);
    modes_->setExclusive(true);
    for (const auto& m : kModeCommands) {
        QAction* a = menus.action(m.id);
        a->setCheckable(true);
        a->setChecked(m.mode == session_.view().mode());
        modes_->addAction(a);
    }

    for (const MenuTable& table : kMenuBar) {
        QMenu* menu = menus.menu(table);
        if (table.rows.data() == kSelectionMenuRows)
            selectionMenu_ = menu;
    }
    undoAction_ = menus.action(CmdUndo);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The command's short description, shown as its tip.
    undoAction_->setToolTip(uiQString("取消上一步操作"));
    undoAction_->setStatusTip(uiQString("取消上一步操作"));
    redoAction_ = menus.action(CmdRedo);
    redoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAction_->setToolTip(uiQString("重复上一步操作"));
    redoAction_->setStatusTip(uiQString("重复上一步操作"));
    lineMenu_ = menus.popup(u"lineMenu", kLineMenuRows);
}

void MainWindow::buildViewMenu()
{
    // Shows and hides the frame's bars and docks: toggles rather than commands.
    QMenu* viewMenu = menuBar()->addMenu(uiQString("查看(&V)"));
    viewMenu->setObjectName(u"viewMenu"_qs);
    const auto toggle = [viewMenu](QAction* a, const char* caption, const char16_t* name) {
        a->setText(uiQStringOf(caption));
        a->setObjectName(QString::fromUtf16(name));
        viewMenu->addAction(a);
        return a;
    };
    toggle(toolBar_->toggleViewAction(), UI_TEXT_NOOP("工具栏(&T)"), u"showToolBar");
    QAction* status = toggle(new QAction(viewMenu), UI_TEXT_NOOP("状态栏(&S)"), u"showStatusBar");
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, statusBar(), &QWidget::setVisible);
    toggle(docks_.overview->toggleViewAction(), UI_TEXT_NOOP("显示鹰眼窗口"), u"showOverview");
    // One switch for both tool windows.
    QAction* toolWindows = toggle(docks_.tool->toggleViewAction(), UI_TEXT_NOOP("显示工具窗口"), u"showToolWindow");
    connect(toolWindows, &QAction::triggered, docks_.stitchKind, &QWidget::setVisible);
    toggle(docks_.layers->toggleViewAction(), UI_TEXT_NOOP("显示浮动层窗口"), u"showLayerPanel");
}

void MainWindow::buildStatusBar()
{
    message_ = new QLabel(this);
    message_->setObjectName(u"statusMessage"_qs);
    progressBar_->setObjectName(u"progress"_qs);
    progressBar_->setMaximumWidth(160);
    progressBar_->setTextVisible(false);
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(progressBar_);
    statusBar()->addPermanentWidget(progress_.cancelButton());
}

void MainWindow::connectWindows()
{
    ColourPanel* colours = docks_.colourPanel;
    OverviewWidget* overview = docks_.overviewWidget;
    connect(colours, &ColourPanel::colourChosen, this,
            [this](unsigned colour, bool ctrl) { session_.chooseColour(static_cast<ColorRef>(colour), ctrl); });
    connect(viewWidget_, &PatternViewWidget::overviewFrameChanged, overview, &OverviewWidget::setVisibleRect);

    connect(toolBinding_, &ToolViewBinding::toolSwitched, docks_.toolWindow, &ToolWindow::showTool);
    connect(toolBinding_, &ToolViewBinding::threadPicked, this,
            [this, colours](int) { colours->showThread(session_.currentThread().thread()); });
    connect(toolBinding_, &ToolViewBinding::colourDisplayReset, colours, &ColourPanel::clearThread);
    // Usage may have changed (the usage order) and a tool may have brought threads.
    connect(toolBinding_, &ToolViewBinding::edited, this, [this] { session_.changed(Change::Cells); });
    // The drawing layer's thumbnail shows what was just drawn.
    connect(toolBinding_, &ToolViewBinding::edited, this, [this] { docks_.layers->widget()->update(); });
    connect(toolBinding_, &ToolViewBinding::overviewImageChanged, overview, qOverload<>(&QWidget::update));
    connect(toolBinding_, &ToolViewBinding::status, message_, &QLabel::setText);
    // symbolMenuRequested: the symbol menu is not there yet.

    connect(outlineBinding_, &BackstitchViewBinding::lineStatus, message_, &QLabel::setText);
    connect(outlineBinding_, &BackstitchViewBinding::lineStatusCleared, message_, &QLabel::clear);
    connect(outlineBinding_, &BackstitchViewBinding::edited, this, [this] { session_.changed(Change::Lines); });
    connect(outlineBinding_, &BackstitchViewBinding::tracingShown, this, [this] {
        // The view already shows the picture with the grid; the tool window's boxes say so.
        docks_.toolWindow->baseImageLoaded();
        viewWidget_->update();
    });
    connect(outlineBinding_, &BackstitchViewBinding::selectionLinesRemoved, viewWidget_, qOverload<>(&QWidget::update));
    connect(outlineBinding_, &BackstitchViewBinding::lineMenuRequested, lineMenu_,
            [this](QPoint global) { lineMenu_->popup(global); });
}

void MainWindow::refresh(Changes what)
{
    // Usage (and with it the colour bar's order) follows the cells; the overview draws its
    // picture again when more than the cells a tool just painted changed (the tools update
    // it themselves).
    if (what.any(Change::Cells | Change::Threads | Change::Pattern))
        updateCaptions();
    if (what.any(Change::Threads | Change::Pattern))
        docks_.colourPanel->showThread(session_.currentThread().thread());
    if (what.any(Change::Layers | Change::Threads | Change::Size | Change::Fabric | Change::Pattern))
        docks_.overviewWidget->patternChanged();
    if (prints_ && what.any(Changes::everything()))
        prints_->patternChanged();
    viewWidget_->update();
}

void MainWindow::editingReset()
{
    // The boxes go back to unchecked; the session has put the view's flags back with them.
    docks_.toolWindow->patternOpened();
}

void MainWindow::patternOpened()
{
    if (autosave_)
        autosave_->patternOpened();
    if (prints_)
        prints_->patternOpened();
    progressBar_->setValue(0);
    const std::string& path = session_.commands().currentPath();
    message_->setText(session_.document().isOpen() && !path.empty() ? pathText(path) : QString());
}

void MainWindow::loadFailed()
{
    progressBar_->setValue(0);
    viewWidget_->update();
}

void MainWindow::saved(const std::string& path)
{
    message_->setText(uiQString("已存储: ") + pathText(path));
    showingSaved_ = true;
    updateCaptions();
}

void MainWindow::saveFailed(const std::string& path)
{
    // The message box has said why; the status bar keeps it in view.
    message_->setText(uiQString("绣图未能存储: ") + pathText(path));
    showingSaved_ = false;
}

void MainWindow::fileUsed(const std::string& path)
{
    recent_.add(path);
    storeRecentFiles();
    rebuildRecentMenu();
}

void MainWindow::changesSettled()
{
    if (autosave_)
        autosave_->settle();
}

void MainWindow::note(const std::string& text)
{
    showingSaved_ = false;
    message_->setText(uiQStringOf(text));
}

void MainWindow::placingStarted()
{
    docks_.toolWindow->showTool(Tool::SelectArea);
    viewWidget_->update();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Unsaved changes are asked about; Cancel (or Esc) keeps the window and everything in it.
    // The desktop session's end may have asked already, about the pattern as it still is.
    const bool decided = closeDecidedAt_ && *closeDecidedAt_ == session_.revision();
    if (!decided && !session_.commands().confirmClose()) {
        event->ignore();
        return;
    }
    saveWindowSettings(*this);
    // The user has decided about every change: no copy is left to offer next time.
    if (autosave_)
        autosave_->settle();
    event->accept();
}

bool MainWindow::autosaveNow()
{
    return autosave_ && autosave_->tick();
}

void MainWindow::applyPreferences(const Preferences& prefs)
{
    prefs_ = prefs;
    prefs_.autosaveSeconds = std::clamp(prefs_.autosaveSeconds, 10, 3600);
    prefs_.undoSteps = std::clamp(prefs_.undoSteps, 1, 200);
    prefs_.undoMegabytes = std::clamp(prefs_.undoMegabytes, 16, 65536);
    session_.history().lists().setLimits(static_cast<std::size_t>(prefs_.undoSteps),
                                         static_cast<std::size_t>(prefs_.undoMegabytes) << 20);
    updateUndoCaptions();
    setClearSymbolsForNewPatterns(prefs_.clearSymbols);
    if (autosave_ && prefs_.autosave)
        autosaveTimer_->start(prefs_.autosaveSeconds * 1000);
    else
        autosaveTimer_->stop();
}

void MainWindow::editPreferences()
{
    Preferences prefs = prefs_;
    if (!dialogs_->editPreferences(prefs))
        return;
    applyPreferences(prefs);
    if (!useSettings_)
        return;
    QSettings settings;
    settings.setValue(u"preferences/autosave"_qs, prefs_.autosave);
    settings.setValue(u"preferences/autosaveSeconds"_qs, prefs_.autosaveSeconds);
    settings.setValue(u"preferences/undoSteps"_qs, prefs_.undoSteps);
    settings.setValue(u"preferences/undoMegabytes"_qs, prefs_.undoMegabytes);
    settings.setValue(u"preferences/clearSymbols"_qs, prefs_.clearSymbols);
    settings.setValue(u"preferences/language"_qs, QString::fromStdString(prefs_.language));
}

void MainWindow::loadSettings()
{
    if (!useSettings_)
        return;
    QSettings settings;
    Preferences defaults;
    prefs_.autosave = settings.value(u"preferences/autosave"_qs, defaults.autosave).toBool();
    prefs_.autosaveSeconds = settings.value(u"preferences/autosaveSeconds"_qs, defaults.autosaveSeconds).toInt();
    prefs_.undoSteps = settings.value(u"preferences/undoSteps"_qs, defaults.undoSteps).toInt();
    prefs_.undoMegabytes = settings.value(u"preferences/undoMegabytes"_qs, defaults.undoMegabytes).toInt();
    prefs_.clearSymbols = settings.value(u"preferences/clearSymbols"_qs, defaults.clearSymbols).toBool();
    prefs_.language = settings.value(u"preferences/language"_qs).toString().toStdString();
    std::vector<std::string> paths;
    // File names are the file system's bytes, kept as they are.
    for (const QVariant& v : settings.value(u"recentFiles"_qs).toList())
        paths.push_back(v.toByteArray().toStdString());
    recent_ = RecentFiles(std::move(paths));
}

void MainWindow::storeRecentFiles() const
{
    if (!useSettings_)
        return;
    QVariantList list;
    for (const std::string& path : recent_.paths())
        list.push_back(QByteArray::fromStdString(path));
    QSettings().setValue(u"recentFiles"_qs, list);
}

void MainWindow::buildRecentMenu()
{
    QMenu* file = findChild<QMenu*>(u"fileMenu"_qs);
    QAction* exit = findChild<QAction*>(u"exit"_qs);
    if (!file)
        return;
    recentMenu_ = new QMenu(uiQString("最近打开的文件"), file);
    recentMenu_->setObjectName(u"recentMenu"_qs);
    file->insertMenu(exit, recentMenu_);
    file->insertSeparator(exit);
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::rebuildRecentMenu);
    rebuildRecentMenu();
}

void MainWindow::rebuildRecentMenu()
{
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    int n = 0;
    for (const std::string& path : recent_.paths()) {
        const QString shown = pathText(path);
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(++n % 10).arg(QFileInfo(shown).fileName()));
        a->setToolTip(shown);
        a->setStatusTip(shown);
        a->setData(QByteArray::fromStdString(path));
        a->setEnabled(fileExists(path));
        connect(a, &QAction::triggered, this, [this, path] { session_.commands().openFile(path); });
    }
    if (recent_.paths().empty())
        recentMenu_->addAction(uiQString("(无)"))->setEnabled(false);
}

void MainWindow::offerRecovery()
{
    // Only ever into an editor with nothing unsaved in it, so a refusal below is the copy's.
    if (!recovery_ || !recovery_->ready() || session_.modified())
        return;
    for (const RecoveryCopy& copy : recovery_->leftBehind()) {
        RecoveryOffer offer;
        const std::string name =
            copy.originalPath.empty() ? std::string() : QFileInfo(pathText(copy.originalPath)).fileName().toStdString();
        offer.fileName = name.empty() ? std::string(kUntitled) : utf8ToGbk(name);
        offer.time = copy.writtenAt >= 0 ? recoveryTimeText(copy.writtenAt) : std::string("?");
        switch (dialogs_->offerRecovery(offer)) {
        case RecoveryAnswer::Open:
            if (session_.commands().openRecovered(copy.patternPath, copy.originalPath)) {
                // Kept as this editor's own copy until the pattern is saved or let go.
                if (recovery_->adopt(copy))
                    autosave_->adopted();
                return;  // one pattern at a time; the others stay for the next start
            }
            // Read whole or not at all: a copy that cannot be read has been reported and is
            // set aside, not lost and not offered again.
            recovery_->setAside(copy);
            break;
        case RecoveryAnswer::Discard:
            recovery_->remove(copy);
            break;
        case RecoveryAnswer::Later:
            break;
        }
    }
}

QString MainWindow::statusText() const
{
    return message_->text();
}

QString MainWindow::threadCaption() const
{
    return docks_.colourPanel->caption();
}

void MainWindow::updateCaptions()
{
    updateTitle();
    docks_.colourPanel->refresh();
}

void MainWindow::updateTitle()
{
    // "*heart.xiu - Velmora十字绣": the star while the pattern holds unsaved changes.
    QString title = uiQStringOf(kWindowTitle);
    if (session_.document().isOpen()) {
        const std::string& path = session_.commands().currentPath();
        const QString name = path.empty() ? uiQStringOf(kUntitled) : QFileInfo(pathText(path)).fileName();
        title = (session_.modified() ? u"*"_qs : QString()) + name + u" - "_qs + title;
    }
    setWindowTitle(title);
}

void MainWindow::updateUndoCaptions()
{
    updateTitle();
    if (showingSaved_ && session_.modified()) {
        message_->clear();
        showingSaved_ = false;
    }
    const EditHistory& history = session_.history();
    undoAction_->setText(menuText(history.undoCaption()));
    undoAction_->setEnabled(history.canUndo());
    redoAction_->setText(redoMenuText(history.redoCaption()));
    redoAction_->setEnabled(history.canRedo());
}

void MainWindow::setViewMode(ViewMode mode)
{
    PatternView& view = session_.view();
    view.setViewMode(mode);
    for (const auto& m : kModeCommands)
        if (m.mode == mode)
            for (QAction* a : modes_->actions())
                if (a->data().toInt() == m.id)
                    a->setChecked(true);
    // The colour bar shows the symbols while the view does.
    docks_.colourPanel->bar().setShowSymbols(mode == ViewMode::SymbolsOnColour || mode == ViewMode::SymbolsOnly);
    docks_.colourPanel->refresh();
    viewWidget_->update();
}

}  // namespace brenmark
