#include "editor/app/window_layout.h"

#include "editor/app/colour_commands.h"
#include "editor/app/colour_panel.h"
#include "editor/app/editor_session.h"
#include "editor/app/layer_panel.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/widgets/stitch_kind_window.h"
#include "editor/view/widgets/tool_window.h"
#include "interchange/gbk_qstring.h"

#include <QAction>
#include <QEvent>
#include <QDockWidget>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>

#include <algorithm>

namespace brenmark {

namespace {

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

// Keeps the chart at least half the window wide: when the window gets narrow the side docks
// give up their width first, down to their own minimum.
class ChartKeepsHalf final : public QObject {
public:
    explicit ChartKeepsHalf(QMainWindow& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
            fit();
        return false;
    }

private:
    void fit()
    {
        QWidget* chart = window_.centralWidget();
        if (!chart)
            return;
        QList<QDockWidget*> side;
        QList<int> widths;
        int total = 0;
        for (QDockWidget* d : window_.findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly)) {
            const Qt::DockWidgetArea area = window_.dockWidgetArea(d);
            if (d->isVisible() && !d->isFloating() && (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)) {
                side << d;
                widths << d->width();
                total += d->width();
            }
        }
        const int room = window_.width() / 2;
        if (side.isEmpty() || total <= room)
            return;
        // Each dock gives up its share of the excess.
        for (int i = 0; i < widths.size(); ++i)
            widths[i] = std::max(side[i]->minimumSizeHint().width(), widths[i] * room / total);
        window_.resizeDocks(side, widths, Qt::Horizontal);
    }

    QMainWindow& window_;
};

QDockWidget* dock(QMainWindow& window, const char* caption, const char16_t* name)
{
    auto* d = new QDockWidget(uiQStringOf(caption), &window);
    d->setObjectName(QString::fromUtf16(name));
    return d;
}

}  // namespace

EditorDocks buildDocks(QMainWindow& window, EditorSession& session, UserDialogs& dialogs)
{
    EditorDocks docks;
    // The side docks run down to the status bar; the colour bar sits between them.
    window.setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
    window.setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);

    docks.tool = dock(window, UI_TEXT_NOOP("工具窗"), u"toolDock");
    // Both tool windows are made as windows of their own; their docks take them in as children.
    docks.toolWindow = new ToolWindow(session.view(), session.tools());
    docks.tool->setWidget(new DockScroller(docks.toolWindow));
    window.addDockWidget(Qt::LeftDockWidgetArea, docks.tool);

    docks.stitchKind = dock(window, UI_TEXT_NOOP("针法"), u"stitchKindDock");
    docks.stitchKindWindow = new StitchKindWindow(session.view());
    docks.stitchKind->setWidget(new DockScroller(docks.stitchKindWindow));
    window.addDockWidget(Qt::LeftDockWidgetArea, docks.stitchKind);
    // Side by side: both are narrow, and stacked they would need more than the window's height.
    window.splitDockWidget(docks.tool, docks.stitchKind, Qt::Horizontal);

    docks.colour = dock(window, UI_TEXT_NOOP("色板条"), u"colourDock");
    // The colour bar belongs to the frame: no title, and it cannot be closed.
    docks.colour->setFeatures(QDockWidget::NoDockWidgetFeatures);
    docks.colour->setTitleBarWidget(new QWidget(docks.colour));
    docks.colourPanel = new ColourPanel(session.document(), docks.colour);
    docks.colour->setWidget(docks.colourPanel);
    QObject::connect(docks.colourPanel, &ColourPanel::addThreadClicked, &window,
                     [&session] { session.router().run(CmdAddThread, NoModifier); });
    window.addDockWidget(Qt::BottomDockWidgetArea, docks.colour);

    docks.overview = dock(window, UI_TEXT_NOOP("鹰眼窗口"), u"overviewDock");
    docks.overviewWidget = new OverviewWidget(session.overview(), session.view(), docks.overview);
    docks.overviewWidget->setObjectName(u"overview"_qs);
    // Small enough to give way in a small window.
    docks.overviewWidget->setMinimumSize(80, 80);
    docks.overview->setWidget(docks.overviewWidget);
    window.addDockWidget(Qt::RightDockWidgetArea, docks.overview);

    docks.layers = dock(window, UI_TEXT_NOOP("浮动操作窗口"), u"layerDock");
    docks.layerPanel = new LayerPanel(session.layers(), dialogs, docks.layers);
    docks.layers->setWidget(docks.layerPanel);
    window.addDockWidget(Qt::RightDockWidgetArea, docks.layers);
    new ChartKeepsHalf(window);
    return docks;
}

WindowContentsFirst::~WindowContentsFirst()
{
    for (QDockWidget* d : window_.findChildren<QDockWidget*>(Qt::FindDirectChildrenOnly))
        delete d;
    delete window_.takeCentralWidget();
}

void restoreWindowSettings(QMainWindow& window)
{
    QSettings settings;
    const QByteArray geometry = settings.value(u"mainWindow/geometry"_qs).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry))
        window.resize(1200, 860);
    window.restoreState(settings.value(u"mainWindow/state"_qs).toByteArray());
    const bool status = settings.value(u"mainWindow/statusBar"_qs, true).toBool();
    window.statusBar()->setVisible(status);
    if (QAction* a = window.findChild<QAction*>(u"showStatusBar"_qs))
        a->setChecked(status);
}

void saveWindowSettings(const QMainWindow& window)
{
    QSettings settings;
    settings.setValue(u"mainWindow/geometry"_qs, window.saveGeometry());
    settings.setValue(u"mainWindow/state"_qs, window.saveState());
    settings.setValue(u"mainWindow/statusBar"_qs, !window.statusBar()->isHidden());
}

}  // namespace brenmark
