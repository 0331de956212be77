#include "editor/app/demo_drawing.h"

#include "editor/app/colour_panel.h"
#include "editor/app/main_window.h"
#include "editor/view/colour_bar_widget.h"
#include "editor/view/pattern_view_widget.h"
#include "editor/view/widgets/stitch_kind_window.h"
#include "editor/view/widgets/tool_window.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include <initializer_list>

namespace brenmark {

namespace {

class Demo {
public:
    explicit Demo(MainWindow& window) : w_(window) {}

    void pick(int swatch)
    {
        ColourBarWidget* bar = w_.colourPanel()->barWidget();
        const QPoint p = w_.colourPanel()->bar().swatchRect(swatch, bar->width()).center();
        mouse(bar, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        mouse(bar, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    void tool(Tool t)
    {
        w_.toolWindow()->toolButtonFor(t)->click();
        QCoreApplication::processEvents();  // the tool window sends its message from the loop
    }
    void stitchKind(int kind)
    {
        const auto buttons = w_.stitchKindWindow()->findChildren<QToolButton*>();
        if (kind < buttons.size())
            buttons[kind]->click();
    }
    // Button down on the first cell, through the others, up on the last.
    void stroke(std::initializer_list<CellPoint> cells, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* view = w_.viewWidget();
        const CellPoint* c = cells.begin();
        mouse(view, QEvent::MouseButtonPress, at(*c), Qt::LeftButton, Qt::LeftButton, modifiers);
        for (++c; c != cells.end(); ++c)
            mouse(view, QEvent::MouseMove, at(*c), Qt::NoButton, Qt::LeftButton, modifiers);
        mouse(view, QEvent::MouseButtonRelease, at(*(cells.end() - 1)), Qt::LeftButton, Qt::NoButton, modifiers);
    }
    // Clicks on cell corners, as the outline tool takes them.
    void clickCorners(std::initializer_list<CellPoint> corners)
    {
        QWidget* view = w_.viewWidget();
        for (const CellPoint& c : corners) {
            const QPoint p = w_.tools().cellRect(c).topLeft();
            mouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            mouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        }
    }
    void clicks(std::initializer_list<CellPoint> cells) 
    {
        for (const CellPoint& c : cells)
            stroke({c});
    }
    void type(const QString& text)
    {
        for (const QChar ch : text) {
            QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(w_.viewWidget(), &e);
        }
    }

private:
    QPoint at(CellPoint cell) const { return w_.tools().cellRect(cell).center(); }
    static void mouse(QWidget* target, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), target->mapToGlobal(QPointF(p)), button, buttons, modifiers);
        QCoreApplication::sendEvent(target, &e);
    }

    MainWindow& w_;
};

}  // namespace

void runDemoDrawing(MainWindow& window)
{
    // The sample's threads: 0 heart red, 1 rim, 2 white, 3 border green, 4 black.
    Demo demo(window);
    demo.pick(4);
    demo.tool(Tool::SolidRect);
    demo.stroke({{3, 22}, {5, 24}, {7, 27}});
    demo.tool(Tool::Line);
    demo.stroke({{3, 3}, {6, 3}, {8, 4}});

    demo.pick(1);
    demo.tool(Tool::HollowRect);
    demo.stroke({{22, 21}, {28, 27}});
    demo.pick(3);
    demo.tool(Tool::Fill);
    demo.stroke({{25, 24}});

    demo.pick(2);
    demo.tool(Tool::HollowEllipse);
    demo.stroke({{17, 14}, {21, 18}});
    demo.stitchKind(5);
    demo.tool(Tool::Point);
    demo.stroke({{19, 9}, {20, 9}, {21, 9}, {22, 10}});
    demo.stitchKind(0);

    demo.tool(Tool::Eraser);
    demo.stroke({{7, 13}, {8, 13}, {9, 13}, {10, 13}});

    demo.pick(3);
    QFont font = window.tools().textFont();
    font.setPixelSize(7);
    window.tools().setTextFont(font);
    demo.tool(Tool::Text);
    demo.stroke({{10, 16}});
    demo.type(u"Hi"_qs);

    demo.tool(Tool::Clone);
    demo.stroke({{3, 22}}, Qt::ControlModifier);
    demo.stroke({{22, 2}, {23, 2}, {24, 2}, {25, 2}, {26, 3}, {25, 3}, {24, 3}});
    QCoreApplication::processEvents();
}

void runDemoSelection(MainWindow& window)
{
    if (!window.document().isOpen())
        return;
    // A soft, photo-like picture of the pattern itself to trace over.
    const QImage cells = window.view().cellImage();
    QImage picture = cells.scaled(cells.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .scaled(cells.size() * 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&picture);
        p.fillRect(picture.rect(), QColor(255, 255, 255, 110));
    }
    const QString file = QDir::temp().filePath(u"brenmark-tracing-demo.png"_qs);
    picture.save(file);
    window.outlines().loadTracingPicture(QFile::encodeName(file).toStdString());
    QFile::remove(file);

    Demo demo(window);
    // Outline stitches along the heart's left flank.
    demo.pick(4);
    demo.tool(Tool::Outline);
    demo.clickCorners({{4, 9}, {6, 6}, {10, 5}, {13, 7}, {15, 10}});
    demo.tool(Tool::Move);

    // A closed five-cornered selection over the right lobe, copied and pasted: the copy
    // floats where it was dragged to.
    demo.tool(Tool::SelectArea);
    demo.clicks({{17, 6}, {25, 6}, {27, 11}, {22, 16}, {17, 11}, {17, 6}});
    window.runCommand(CmdCopySelection);
    window.runCommand(CmdPasteSelection);
    if (const FloatingPiece* piece = window.layers().floatingPiece()) {
        const CellPoint from{piece->column + 2, piece->row + 2};
        demo.stroke({from, {from.x + 3, from.y + 8}, {from.x + 5, from.y + 16}});
    }
    QCoreApplication::processEvents();
}

}  // namespace brenmark
