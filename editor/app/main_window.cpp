#include "editor/app/main_window.h"

#include "editor/app/colour_panel.h"
#include "editor/app/layer_panel.h"
#include "editor/app/qt_user_dialogs.h"
#include "editor/app/status_progress.h"
#include "editor/app/toolbar_icons.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/gbk_qstring.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/view_messages.h"
#include "editor/view/backstitch/widgets/backstitch_view_binding.h"
#include "editor/view/backstitch/widgets/qt_backstitch_dialogs.h"
#include "editor/view/selection/widgets/transform_dialogs_qt.h"
#include "editor/view/widgets/stitch_kind_window.h"
#include "editor/view/widgets/tool_view_binding.h"
#include "editor/view/widgets/tool_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

namespace brenmark {

namespace {

QString pathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Holds a tool window in its dock: as large as the window wants while there is room, and
// scrolling rather than holding the main window's height up when there is not.
class DockScroller final : public QScrollArea {
public:
    explicit DockScroller(QWidget* content)
    {
        setWidget(content);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A taller dock leaves the buttons together at the top.
        content->setMaximumHeight(content->sizeHint().height());
        setAlignment(Qt::AlignTop | Qt::AlignLeft);
        setMinimumWidth(content->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width());
    }
    QSize sizeHint() const override { return widget()->sizeHint(); }
    QSize minimumSizeHint() const override { return {minimumWidth(), 60}; }
};

// A step's label as a menu item: an "&" in it (a brand such as "J&P") is no mnemonic.
QString menuText(const std::string& gbk)
{
    return fromGbk(gbk).replace(u'&', u"&&"_qs);
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent),
      palettes_(setup.programDir),
      ownDialogs_(setup.dialogs ? nullptr : std::make_unique<QtUserDialogs>(this)),
      dialogs_(setup.dialogs ? setup.dialogs : ownDialogs_.get()),
      ownTransformDialogs_(setup.transformDialogs ? nullptr : std::make_unique<QtTransformDialogs>(this)),
      transformDialogs_(setup.transformDialogs ? setup.transformDialogs : ownTransformDialogs_.get()),
      ownBackstitchDialogs_(setup.backstitchDialogs ? nullptr : std::make_unique<QtBackstitchDialogs>(this)),
      backstitchDialogs_(setup.backstitchDialogs ? setup.backstitchDialogs : ownBackstitchDialogs_.get())
{
    setObjectName(u"mainWindow"_qs);
    setWindowIcon(commandIcon(CommandIcon::Application));
    palettes_.ensurePaletteFolder();

    // The history takes its snapshots from the view, so it comes after it; everything that
    // edits records its steps there.
    view_ = std::make_unique<PatternView>(doc_, currentThread_);
    history_ = std::make_unique<EditHistory>(*view_, currentThread_, dialogs_);
    layers_ = std::make_unique<LayerOperations>(doc_, *history_);
    commands_ = std::make_unique<DocumentCommands>(doc_, palettes_, *dialogs_, *history_);
    tools_ = std::make_unique<ToolController>(*view_, currentThread_, *history_, dialogs_);
    tools_->setLayerOperations(layers_.get());
    overview_ = std::make_unique<Overview>(*view_);
    viewWidget_ = new PatternViewWidget(*view_, this);
    setCentralWidget(viewWidget_);
    toolBinding_ = new ToolViewBinding(viewWidget_, *view_, *tools_);
    // The select-area tool and the outline tools take their input from the tool controller;
    // the outline editing also gets the view's messages first (the line recolouring).
    selection_ = std::make_unique<SelectionTool>(*view_, *tools_, *history_, *layers_, dialogs_, transformDialogs_,
                                                 toolBinding_);
    selection_->setClipboard(&clipboard_);
    selectionMembership_ = std::make_unique<MembershipOf<SelectionQuery>>(selection_->query());
    outlines_ = std::make_unique<BackstitchEditor>(*view_, currentThread_, *history_, dialogs_, nullptr,
                                                   backstitchDialogs_);
    outlines_->setSelection(selectionMembership_.get());
    outlines_->attach(*tools_);
    outlines_->routeMessages(*tools_);
    outlineBinding_ = new BackstitchViewBinding(viewWidget_, *outlines_);

    buildStatusBar();
    commands_->setEvents(this);
    commands_->setProgress(progress_.get());
    commands_->setLayerOperations(layers_.get());
    commands_->addEditingState(history_.get());
    commands_->addEditingState(this);
    layers_->addObserver(this);
    history_->setChanged([this] { updateUndoCaptions(); });
    history_->setAfterRestore([this](const UndoSnapshot&) { afterRestore(); });

    buildActions();
    buildEditingWindows();
    buildSelectionAndOutlines();
    buildLayerPanel();
    buildMenus();
    restoreSettings();
    updateCaptions();
    updateUndoCaptions();

    opener_.start(setup.commandLine, [this](const std::string& commandLine) { commands_->openCommandLine(commandLine); },
                  setup.openDelayMs);
}

MainWindow::~MainWindow()
{
    layers_->removeObserver(this);
    commands_->setEvents(nullptr);
    history_->setChanged({});
    history_->setAfterRestore({});
    commands_->removeEditingState(this);
    // The bindings are the tools' hosts and go with the view widget.
    selection_->setHost(nullptr);
    // The widgets that refer to the view, the tools and the layers go before them.
    delete toolDock_;
    delete stitchKindDock_;
    delete colourDock_;
    delete overviewDock_;
    delete layerDock_;
    delete takeCentralWidget();
}

void MainWindow::buildActions()
{
    toolBar_ = addToolBar(fromGbk("工具栏"));
    toolBar_->setObjectName(u"mainToolBar"_qs);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(32, 32));

    const auto add = [this](const char* caption, CommandIcon icon, const QString& name, auto slot) {
        QAction* a = toolBar_->addAction(commandIcon(icon), fromGbk(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("新建", CommandIcon::New, u"newPattern"_qs, [this] { commands_->newPattern(); })->setShortcut(QKeySequence::New);
    add("打开", CommandIcon::Open, u"openPattern"_qs, [this] { commands_->openPattern(); })->setShortcut(QKeySequence::Open);
    add("存储", CommandIcon::Save, u"savePattern"_qs, [this] { commands_->savePattern(); })->setShortcut(QKeySequence::Save);
    add("导入", CommandIcon::Import, u"importPicture"_qs, [this] { commands_->importPicture(); });
    add("放大", CommandIcon::ZoomIn, u"zoomIn"_qs, [this] { zoom(true); })
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    add("缩小", CommandIcon::ZoomOut, u"zoomOut"_qs, [this] { zoom(false); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    add("配置", CommandIcon::Threads, u"manageThreads"_qs, [this] { commands_->manageThreads(); });

    modes_ = new QActionGroup(this);
    modes_->setExclusive(true);
    const struct {
        const char* caption;
        CommandIcon icon;
        const char16_t* name;
        ViewMode mode;
    } modes[] = {
        {"色块", CommandIcon::ColourBlocks, u"modeColourBlocks", ViewMode::ColourBlocks},
        {"#色", CommandIcon::SymbolsOnColour, u"modeSymbolsOnColour", ViewMode::SymbolsOnColour},
        {"#", CommandIcon::SymbolsOnly, u"modeSymbolsOnly", ViewMode::SymbolsOnly},
        {"仿真", CommandIcon::Simulated, u"modeSimulated", ViewMode::SimulatedStitches},
    };
    for (const auto& m : modes) {
        const ViewMode mode = m.mode;
        QAction* a = add(m.caption, m.icon, QString::fromUtf16(m.name), [this, mode] { setViewMode(mode); });
        a->setCheckable(true);
        a->setData(static_cast<int>(mode));
        a->setChecked(mode == view_->mode());
        modes_->addAction(a);
    }
    add("关闭", CommandIcon::Close, u"closeWindow"_qs, [this] { close(); });
}

void MainWindow::buildEditingWindows()
{
    // The side docks run down to the status bar; the colour bar sits between them.
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);

    toolDock_ = new QDockWidget(fromGbk("工具窗"), this);
    toolDock_->setObjectName(u"toolDock"_qs);
    // Both tool windows are made as windows of their own; their docks take them in as children.
    toolWindow_ = new ToolWindow(*view_, *tools_);
    toolDock_->setWidget(new DockScroller(toolWindow_));
    addDockWidget(Qt::LeftDockWidgetArea, toolDock_);

    stitchKindDock_ = new QDockWidget(fromGbk("针法"), this);
    stitchKindDock_->setObjectName(u"stitchKindDock"_qs);
    stitchKindWindow_ = new StitchKindWindow(*view_);
    stitchKindDock_->setWidget(new DockScroller(stitchKindWindow_));
    addDockWidget(Qt::LeftDockWidgetArea, stitchKindDock_);
    // Side by side: both are narrow, and stacked they would need more than the window's height.
    splitDockWidget(toolDock_, stitchKindDock_, Qt::Horizontal);

    colourDock_ = new QDockWidget(fromGbk("色板条"), this);
    colourDock_->setObjectName(u"colourDock"_qs);
    // The colour bar belongs to the frame: no title, and it cannot be closed.
    colourDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    colourDock_->setTitleBarWidget(new QWidget(colourDock_));
    colourPanel_ = new ColourPanel(doc_, colourDock_);
    colourDock_->setWidget(colourPanel_);
    addDockWidget(Qt::BottomDockWidgetArea, colourDock_);
    connect(colourPanel_, &ColourPanel::colourChosen, this,
            [this](unsigned colour, bool ctrl) { colourChosen(static_cast<ColorRef>(colour), ctrl); });

    overviewDock_ = new QDockWidget(fromGbk("鹰眼窗口"), this);
    overviewDock_->setObjectName(u"overviewDock"_qs);
    overviewWidget_ = new OverviewWidget(*overview_, *view_, overviewDock_);
    overviewWidget_->setObjectName(u"overview"_qs);
    overviewWidget_->setMinimumSize(160, 160);
    overviewDock_->setWidget(overviewWidget_);
    addDockWidget(Qt::RightDockWidgetArea, overviewDock_);
    connect(viewWidget_, &PatternViewWidget::overviewFrameChanged, overviewWidget_, &OverviewWidget::setVisibleRect);

    connect(toolBinding_, &ToolViewBinding::toolSwitched, toolWindow_, &ToolWindow::showTool);
    connect(toolBinding_, &ToolViewBinding::threadPicked, this,
            [this](int) { colourPanel_->showThread(currentThread_.thread()); });
    connect(toolBinding_, &ToolViewBinding::colourDisplayReset, colourPanel_, &ColourPanel::clearThread);
    connect(toolBinding_, &ToolViewBinding::edited, this, &MainWindow::patternEdited);
    connect(toolBinding_, &ToolViewBinding::overviewImageChanged, overviewWidget_, qOverload<>(&QWidget::update));
    // symbolMenuRequested: the symbol menu is not there yet.
}

void MainWindow::buildSelectionAndOutlines()
{
    connect(outlineBinding_, &BackstitchViewBinding::lineStatus, message_, &QLabel::setText);
    connect(outlineBinding_, &BackstitchViewBinding::lineStatusCleared, message_, &QLabel::clear);
    connect(outlineBinding_, &BackstitchViewBinding::edited, this, &MainWindow::patternEdited);
    connect(outlineBinding_, &BackstitchViewBinding::tracingShown, this, &MainWindow::showTracingPicture);
    connect(outlineBinding_, &BackstitchViewBinding::selectionLinesRemoved, viewWidget_, qOverload<>(&QWidget::update));

    lineMenu_ = new QMenu(this);
    lineMenu_->setObjectName(u"lineMenu"_qs);
    for (const BackstitchCommand& c : kBackstitchCommands)
        if (c.id == CmdRecolourPickedLine || c.id == CmdDeletePickedLine)
            addCommand(lineMenu_, c.caption, c.id);
    connect(outlineBinding_, &BackstitchViewBinding::lineMenuRequested, lineMenu_,
            [this](QPoint global) { lineMenu_->popup(global); });
}

QAction* MainWindow::addCommand(QMenu* menu, const char* caption, int id)
{
    QAction* a = menu->addAction(menuText(caption));
    a->setObjectName(u"command%1"_qs.arg(id));
    a->setData(id);
    connect(a, &QAction::triggered, this, [this, id] {
        const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
        Modifiers modifiers = NoModifier;
        if (held & Qt::ControlModifier)
            modifiers |= CtrlModifier;
        if (held & Qt::ShiftModifier)
            modifiers |= ShiftModifier;
        runCommand(id, modifiers);
    });
    return a;
}

bool MainWindow::runCommand(int id, Modifiers modifiers)
{
    switch (id) {
    case CmdDeleteSelectionLines:
    case CmdLoadTracingPicture:
    case CmdRecolourPickedLine:
    case CmdDeletePickedLine:
        outlines_->command(id);
        viewWidget_->update();
        return true;
    default:
        break;
    }
    if (!selection_->command(id, modifiers))
        return false;
    if (id == CmdPasteSelection)
        startPlacing();
    if (id == CmdScalePattern || id == CmdResizePattern)
        overviewWidget_->patternChanged();  // the overview fits the new size
    viewWidget_->update();
    return true;
}

void MainWindow::startPlacing()
{
    if (!layers_->floatingPiece())
        return;
    if (tools_->currentTool() != Tool::SelectArea) {
        view_->dispatch(MsgSelectTool, static_cast<int>(Tool::SelectArea), 0);
        toolWindow_->showTool(Tool::SelectArea);
    }
    viewWidget_->update();
}

void MainWindow::showTracingPicture()
{
    // The view already shows the picture with the grid; the tool window's boxes say so.
    toolWindow_->baseImageLoaded();
    viewWidget_->update();
}

void MainWindow::resetEditingState()
{
    // The boxes go back to unchecked and the view follows them: grid shown, no tracing
    // picture (it was sized for the old pattern).
    toolWindow_->patternOpened();
    view_->setShowGrid(true);
    view_->setShowBaseImage(false);
    view_->setBaseImage(QImage());
    selection_->dropSelection();
    outlines_->endPolyline();
    outlines_->clearPick();
}

void MainWindow::buildLayerPanel()
{
    layerDock_ = new QDockWidget(fromGbk("浮动操作窗口"), this);
    layerDock_->setObjectName(u"layerDock"_qs);
    layerPanel_ = new LayerPanel(*layers_, *dialogs_, layerDock_);
    layerDock_->setWidget(layerPanel_);
    addDockWidget(Qt::RightDockWidgetArea, layerDock_);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(fromGbk("文件(&F)"));
    file->setObjectName(u"fileMenu"_qs);
    file->addAction(fromGbk("打开旧色库绣图校正"), this, [this] { commands_->openOldLibraryPattern(); })
        ->setObjectName(u"openOldLibrary"_qs);
    file->addSeparator();
    file->addAction(fromGbk("退出(&X)"), this, &QWidget::close)->setObjectName(u"exit"_qs);

    QMenu* edit = menuBar()->addMenu(fromGbk("编辑(&E)"));
    edit->setObjectName(u"editMenu"_qs);
    undoAction_ = edit->addAction(fromGbk(kNoUndo), this, [this] { history_->undo(); });
    undoAction_->setObjectName(u"undo"_qs);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The command's short description, shown as its tip.
    undoAction_->setToolTip(fromGbk("取消上一步操作"));
    undoAction_->setStatusTip(fromGbk("取消上一步操作"));
    redoAction_ = edit->addAction(fromGbk(kNoRedo), this, [this] { history_->redo(); });
    redoAction_->setObjectName(u"redo"_qs);
    redoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAction_->setToolTip(fromGbk("重复上一步操作"));
    redoAction_->setStatusTip(fromGbk("重复上一步操作"));
    edit->addSeparator();
    edit->addAction(fromGbk("插入绣图"), this, [this] {
            if (commands_->insertPattern())
                startPlacing();
        })->setObjectName(u"insertPattern"_qs);
    addCommand(edit, "载入钩边原图", CmdLoadTracingPicture);
    edit->addAction(fromGbk("设置绣布颜色"), this, [this] {
            if (commands_->chooseFabricColour())
                overviewWidget_->patternChanged();
        })->setObjectName(u"fabricColour"_qs);
    edit->addSeparator();
    for (const MenuEntry& e : kPatternTransformMenu)
        addCommand(edit, e.caption, e.id);

    selectionMenu_ = menuBar()->addMenu(fromGbk(kSelectionMenuCaption));
    selectionMenu_->setObjectName(u"selectionMenu"_qs);
    for (const MenuEntry& e : kSelectionMenu) {
        addCommand(selectionMenu_, e.caption, e.id);
        if (e.id == CmdMirrorSelection) {
            QMenu* rotation = selectionMenu_->addMenu(fromGbk(kRotationMenuCaption));
            rotation->setObjectName(u"rotationMenu"_qs);
            for (const MenuEntry& r : kRotationMenu)
                addCommand(rotation, r.caption, r.id);
        }
    }

    QMenu* viewMenu = menuBar()->addMenu(fromGbk("查看(&V)"));
    viewMenu->setObjectName(u"viewMenu"_qs);
    QAction* tools = toolBar_->toggleViewAction();
    tools->setText(fromGbk("工具栏(&T)"));
    tools->setObjectName(u"showToolBar"_qs);
    viewMenu->addAction(tools);
    QAction* status = viewMenu->addAction(fromGbk("状态栏(&S)"));
    status->setObjectName(u"showStatusBar"_qs);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, statusBar(), &QWidget::setVisible);
    QAction* overview = overviewDock_->toggleViewAction();
    overview->setText(fromGbk("显示鹰眼窗口"));
    overview->setObjectName(u"showOverview"_qs);
    viewMenu->addAction(overview);
    // One switch for both tool windows.
    QAction* toolWindows = toolDock_->toggleViewAction();
    toolWindows->setText(fromGbk("显示工具窗口"));
    toolWindows->setObjectName(u"showToolWindow"_qs);
    connect(toolWindows, &QAction::triggered, stitchKindDock_, &QWidget::setVisible);
    viewMenu->addAction(toolWindows);
    QAction* layers = layerDock_->toggleViewAction();
    layers->setText(fromGbk("显示浮动层窗口"));
    layers->setObjectName(u"showLayerPanel"_qs);
    viewMenu->addAction(layers);
}

void MainWindow::buildStatusBar()
{
    message_ = new QLabel(this);
    message_->setObjectName(u"statusMessage"_qs);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(u"progress"_qs);
    progressBar_->setMaximumWidth(160);
    progressBar_->setTextVisible(false);
    progress_ = std::make_unique<StatusProgress>(progressBar_);
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(progressBar_);
}

void MainWindow::restoreSettings()
{
    QSettings settings;
    const QByteArray geometry = settings.value(u"mainWindow/geometry"_qs).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1200, 860);
    restoreState(settings.value(u"mainWindow/state"_qs).toByteArray());
    const bool status = settings.value(u"mainWindow/statusBar"_qs, true).toBool();
    statusBar()->setVisible(status);
    if (QAction* a = findChild<QAction*>(u"showStatusBar"_qs))
        a->setChecked(status);
}

void MainWindow::saveSettings()
{
    QSettings settings;
    settings.setValue(u"mainWindow/geometry"_qs, saveGeometry());
    settings.setValue(u"mainWindow/state"_qs, saveState());
    settings.setValue(u"mainWindow/statusBar"_qs, !statusBar()->isHidden());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveSettings();
    event->accept();
}

QString MainWindow::statusText() const
{
    return message_->text();
}

QString MainWindow::threadCaption() const
{
    return colourPanel_->caption();
}

void MainWindow::updateCaptions()
{
    QString title = fromGbk(kWindowTitle);
    if (doc_.isOpen() && !commands_->currentPath().empty())
        title += u" - "_qs + QFileInfo(pathText(commands_->currentPath())).fileName();
    setWindowTitle(title);
    colourPanel_->refresh();
}

void MainWindow::updateUndoCaptions()
{
    undoAction_->setText(menuText(history_->undoCaption()));
    undoAction_->setEnabled(history_->canUndo());
    redoAction_->setText(menuText(history_->redoCaption()));
    redoAction_->setEnabled(history_->canRedo());
}

void MainWindow::setViewMode(ViewMode mode)
{
    view_->setViewMode(mode);
    for (QAction* a : modes_->actions())
        if (a->data().toInt() == static_cast<int>(mode))
            a->setChecked(true);
    // The colour bar shows the symbols while the view does.
    colourPanel_->bar().setShowSymbols(mode == ViewMode::SymbolsOnColour || mode == ViewMode::SymbolsOnly);
    colourPanel_->refresh();
    viewWidget_->update();
}

void MainWindow::colourChosen(ColorRef colour, bool ctrl)
{
    view_->dispatch(MsgSetCurrentColour, static_cast<std::intptr_t>(colour), ctrl ? 1 : 0);
    viewWidget_->update();
}

void MainWindow::recheckCurrentThread()
{
    if (currentThread_.chosen())
        currentThread_.chooseColour(currentThread_.colour());
    colourPanel_->showThread(currentThread_.thread());
}

void MainWindow::patternEdited()
{
    // Usage may have changed (the usage order) and a tool may have brought threads.
    updateCaptions();
}

void MainWindow::afterRestore()
{
    tools_->forgetTransientState();
    // The selection, a polyline in progress and the picked line belong to the state undo
    // replaced.
    selection_->dropSelection();
    outlines_->endPolyline();
    outlines_->clearPick();
    // The layer list was put back whole: the panel lays out its rows again.
    layers_->relayout();
    updateCaptions();
    colourPanel_->showThread(currentThread_.thread());
    overviewWidget_->patternChanged();
    viewWidget_->update();
}

void MainWindow::zoom(bool in)
{
    in ? view_->zoomIn() : view_->zoomOut();
    viewWidget_->update();
}

void MainWindow::patternReplaced()
{
    view_->patternReplaced(progress_.get());
    progressBar_->setValue(0);
    viewWidget_->update();
    updateCaptions();
    recheckCurrentThread();
    overviewWidget_->patternChanged();
    message_->setText(doc_.isOpen() && !commands_->currentPath().empty() ? pathText(commands_->currentPath())
                                                                         : QString());
}

void MainWindow::loadFailed(const std::string&)
{
    progressBar_->setValue(0);
    viewWidget_->update();
}

void MainWindow::threadsChanged()
{
    view_->rebuildStitchTiles();
    view_->rebuildCellImage();
    viewWidget_->update();
    updateCaptions();
    recheckCurrentThread();
    overviewWidget_->patternChanged();
}

void MainWindow::saved(const std::string& path)
{
    message_->setText(fromGbk("已存储: ") + pathText(path));
    updateCaptions();
}

void MainWindow::saveFailed(const std::string& path)
{
    // No message box for a failed save, but the status bar says so.
    message_->setText(fromGbk("绣图未能存储: ") + pathText(path));
}

void MainWindow::note(const std::string& text)
{
    message_->setText(fromGbk(text));
}

void MainWindow::layersRecomposed()
{
    view_->rebuildCellImage();
    viewWidget_->update();
    overviewWidget_->patternChanged();
}

void MainWindow::floatingPieceChanged()
{
    viewWidget_->update();
}

void MainWindow::threadsAppended(int, int)
{
    doc_.distinct.rebuild(doc_.threads);
    view_->rebuildStitchTiles();
    updateCaptions();
}

}  // namespace brenmark
