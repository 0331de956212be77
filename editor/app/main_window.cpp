#include "editor/app/main_window.h"

#include "editor/app/layer_panel.h"
#include "editor/app/qt_user_dialogs.h"
#include "editor/app/status_progress.h"
#include "editor/app/toolbar_icons.h"
#include "editor/view/gbk_qstring.h"
#include "editor/view/pattern_view_widget.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

namespace brenmark {

namespace {

QString pathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent),
      palettes_(setup.programDir),
      ownDialogs_(setup.dialogs ? nullptr : std::make_unique<QtUserDialogs>(this)),
      dialogs_(setup.dialogs ? setup.dialogs : ownDialogs_.get()),
      undo_(setup.undo ? setup.undo : &noUndo_)
{
    setObjectName(u"mainWindow"_qs);
    setWindowIcon(commandIcon(CommandIcon::Application));
    palettes_.ensurePaletteFolder();

    layers_ = std::make_unique<LayerOperations>(doc_, *undo_);
    commands_ = std::make_unique<DocumentCommands>(doc_, palettes_, *dialogs_, *undo_);
    view_ = std::make_unique<PatternView>(doc_);
    viewWidget_ = new PatternViewWidget(*view_, this);
    setCentralWidget(viewWidget_);

    buildStatusBar();
    commands_->setEvents(this);
    commands_->setProgress(progress_.get());
    commands_->setLayerOperations(layers_.get());
    layers_->addObserver(this);

    buildActions();
    buildLayerPanel();
    buildMenus();
    restoreSettings();
    updateCaptions();

    opener_.start(setup.commandLine, [this](const std::string& commandLine) { commands_->openCommandLine(commandLine); },
                  setup.openDelayMs);
}

MainWindow::~MainWindow()
{
    layers_->removeObserver(this);
    commands_->setEvents(nullptr);
    // The widgets that refer to the view and the layers go before them.
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
        a->setChecked(mode == view_->mode());
        modes_->addAction(a);
    }
    add("关闭", CommandIcon::Close, u"closeWindow"_qs, [this] { close(); });
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
    edit->addAction(fromGbk("插入绣图"), this, [this] { commands_->insertPattern(); })->setObjectName(u"insertPattern"_qs);
    edit->addAction(fromGbk("设置绣布颜色"), this, [this] { commands_->chooseFabricColour(); })
        ->setObjectName(u"fabricColour"_qs);

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
    QAction* layers = layerDock_->toggleViewAction();
    layers->setText(fromGbk("显示浮动层窗口"));
    layers->setObjectName(u"showLayerPanel"_qs);
    viewMenu->addAction(layers);
}

void MainWindow::buildStatusBar()
{
    message_ = new QLabel(this);
    message_->setObjectName(u"statusMessage"_qs);
    caption_ = new QLabel(this);
    caption_->setObjectName(u"threadCaption"_qs);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(u"progress"_qs);
    progressBar_->setMaximumWidth(160);
    progressBar_->setTextVisible(false);
    progress_ = std::make_unique<StatusProgress>(progressBar_);
    statusBar()->addWidget(message_, 1);
    statusBar()->addPermanentWidget(caption_);
    statusBar()->addPermanentWidget(progressBar_);
}

void MainWindow::restoreSettings()
{
    QSettings settings;
    const QByteArray geometry = settings.value(u"mainWindow/geometry"_qs).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1100, 760);
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
    return caption_->text();
}

void MainWindow::updateCaptions()
{
    QString title = fromGbk(kWindowTitle);
    if (doc_.isOpen() && !commands_->currentPath().empty())
        title += u" - "_qs + QFileInfo(pathText(commands_->currentPath())).fileName();
    setWindowTitle(title);
    caption_->setText(doc_.isOpen()
                          ? fromGbk(threadCountCaption(doc_.brand, static_cast<int>(doc_.distinct.colors.size())))
                          : QString());
}

void MainWindow::setViewMode(ViewMode mode)
{
    view_->setViewMode(mode);
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
