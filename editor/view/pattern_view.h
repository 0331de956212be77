#pragma once
// The pattern view's logic: zoom, origin, display mode, the one-pixel-per-cell image, stitch
// tiles, and painting into any QPainter. The widget that shows it only forwards events.
#include "editor/document/current_thread.h"
#include "editor/document/pattern_document.h"
#include "editor/document/tracked_buffer.h"
#include "editor/document/user_prompts.h"
#include "editor/render/chart_geometry.h"
#include "editor/render/chart_painter.h"
#include "editor/view/view_messages.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace brenmark {

enum class ViewMode : int { ColourBlocks = 0, SymbolsOnColour = 1, SymbolsOnly = 2, SimulatedStitches = 3 };

constexpr int kLeftRuler = 35;
constexpr int kTopRuler = 20;

// What the view asks of whoever shows it.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void invalidate() {}
    // The visible rectangle, in overview pixels.
    virtual void overviewFrame(const QRect&) {}
    virtual void flashTimer(bool /*run*/) {}
};

class PatternView : public DocumentObserver {
public:
    // The current thread is not the view's: it only serves the view's two messages about it
    // (MsgSetCurrentColour, MsgSetFlashing) and must outlive the view.
    PatternView(PatternDocument& doc, CurrentThreadChoice& current, ViewHost* host = nullptr);
    ~PatternView() override;
    PatternView(const PatternView&) = delete;
    PatternView& operator=(const PatternView&) = delete;

    PatternDocument& document() { return doc_; }
    const PatternDocument& document() const { return doc_; }
    void setHost(ViewHost* host) { host_ = host; }

    // Zoom: the cell size is 1 / divisor, from 0.5 to 32 pixels.
    float zoomDivisor() const { return zoomDivisor_; }
    float cellSize() const { return 1.0f / zoomDivisor_; }
    // Keep the cell at the centre of the pattern area where it is (the client size is the
    // one last painted or clamped for).
    bool zoomIn();
    bool zoomOut();
    // Zooms keeping the cell under the client point where it is.
    bool zoomAbout(QPoint client, bool in);
    // The largest zoom at which the whole chart shows, scrolled to its start.
    bool fitToWindow();
    // The client size the view was last painted or clamped for (empty before).
    QSize clientSize() const { return client_; }

    // The first visible column and row follow every change of the origin or the zoom at
    // once: the tools map clicks with them, and a click may come before the next paint.
    QPoint origin() const { return origin_; }
    void setOrigin(QPoint origin);
    // Scrolling and zooming also apply clampOrigin's rules, so the view is already what the
    // next paint shows.
    void scrollBy(int dx, int dy);
    // Applies the clamping and alignment rules for a client area; painting does this too.
    void clampOrigin(QSize client);
    int firstColumn() const { return firstColumn_; }
    int firstRow() const { return firstRow_; }

    ViewMode mode() const { return mode_; }
    void setViewMode(ViewMode mode);
    bool showGrid() const { return showGrid_; }
    void setShowGrid(bool on);
    bool showBaseImage() const { return showBaseImage_; }
    void setShowBaseImage(bool on);
    void setBaseImage(const QImage& image) { baseImage_ = image; }
    const QImage& baseImage() const { return baseImage_; }

    // Flashing the cells of one colour.
    bool flashing() const { return flashing_; }
    ColorRef flashColour() const { return flashColour_; }
    bool blinkPhase() const { return blinkPhase_; }
    void setFlashing(bool on, ColorRef current);
    void setFlashColour(ColorRef colour) { flashColour_ = colour; }
    // The thread chosen for drawing lives in CurrentThreadChoice; the name stays here for the
    // windows that show it.
    using CurrentThread = brenmark::CurrentThread;
    // Picks the drawing colour (the colour bar's message 2265) against the thread table;
    // alsoFlash moves the flash too.
    void setCurrentColour(ColorRef colour, bool alsoFlash);
    void flashTick();

    // Mirror axes, the rotation centre and the picked outline line, drawn as marks.
    struct Marks {
        bool horizontalMirror = false;
        int axisColumn = 0;
        bool verticalMirror = false;
        int axisRow = 0;
        bool rotationCentreShown = false;
        bool selectionClosed = false;
        QRect rotationCentreCells;
        // The line picked with the picking tool, an index into the document's lines (-1:
        // none); drawn red. Composing the lines again drops it.
        int pickedLine = -1;
    };
    Marks& marks() { return marks_; }

    // The pattern was created, opened or replaced: reset the zoom, rebuild every image.
    void patternReplaced(ProgressReport* progress = nullptr);
    void rebuildCellImage(ProgressReport* progress = nullptr);
    void rebuildStitchTiles();
    // After an undo step was put back into the document: draws the picture again from the
    // grid; tileIndex -1 rebuilds every stitch tile, otherwise only that thread's from
    // tileColour.
    void restoreFromSnapshot(std::int32_t tileIndex, ColorRef tileColour);
    // One cell changed: grid and image together.
    void setCell(int x, int y, std::int32_t index);
    // The one picture of the pattern: one pixel per cell, always the grid's colours.
    const QImage& cellImage() const { return cellImage_; }

    // Column and row under a client point (may lie outside the pattern).
    QPoint cellAt(QPoint client) const { return geometry().cellAt(client); }
    // The chart's mapping as the view shows it now: cell size, origin, the rulers' end.
    ChartGeometry geometry() const;

    void paint(QPainter& painter, QSize client);
    // The numbers on the rulers: on the top ruler centred at x, on the left one with its top
    // at y.
    struct RulerLabel {
        bool top = true;
        double at = 0;
        int number = 0;
        bool operator==(const RulerLabel&) const = default;
    };
    std::vector<RulerLabel> rulerLabels(QSize client) const;
    // The label step at cell size s: the smallest multiple of 5 that leaves room for
    // "9999" twice.
    static int rulerLabelStep(float s);
    // The symbol font's pixel height at cell size s in the mode, 0 when no symbols show.
    static int symbolFontPixels(float s, ViewMode mode);

    // The overview image: the pattern fitted into size, with the scale and offsets that map
    // cells to it.
    void rebuildOverview(QSize size);
    const QImage& overviewImage() const { return overview_; }
    double overviewScale() const { return overviewScale_; }
    QPoint overviewOffset() const { return overviewOffset_; }

    // Draws the cell image enlarged by an integer factor, block by block.
    void drawCellImageTiled(QPainter& target, int left, int top, int factor) const;

    // The private messages; returns the message's result.
    std::intptr_t dispatch(int message, std::intptr_t wParam, std::intptr_t lParam);
    // The editing tools take the messages the view does not handle itself.
    using MessageHandler = std::function<std::intptr_t(int, std::intptr_t, std::intptr_t)>;
    void setToolHandler(MessageHandler handler) { toolHandler_ = std::move(handler); }
    // Drawn after the outline lines, clipped to the pattern area (the selection tool's
    // polygon and floating piece).
    using OverlayPainter = std::function<void(QPainter&)>;
    void setOverlayPainter(OverlayPainter painter) { overlayPainter_ = std::move(painter); }

    void fabricColorChanged(ColorRef fabric) override;
    void linesComposed() override { marks_.pickedLine = -1; }

private:
    PatternDocument& doc_;
    CurrentThreadChoice& current_;
    ViewHost* host_;
    float zoomDivisor_ = 0.125f;
    QPoint origin_{kLeftRuler, kTopRuler};
    QSize client_;
    // The cell (with its fraction) a zoom kept under a client point, and the origin it left:
    // the next zoom about the same point, with nothing moved in between, keeps that cell
    // rather than the one a pixel at half a pixel a cell can only approximate.
    struct ZoomAnchor {
        QPoint point, origin;
        double column = 0, row = 0;
        float cellSize = 0;
    };
    ZoomAnchor anchor_;
    int firstColumn_ = 0, firstRow_ = 0;
    ViewMode mode_ = ViewMode::ColourBlocks;
    bool showGrid_ = true;
    bool showBaseImage_ = false;
    bool flashing_ = false;
    ColorRef flashColour_ = 0;
    bool blinkPhase_ = false;
    Marks marks_;
    MessageHandler toolHandler_;
    OverlayPainter overlayPainter_;
    QImage cellImage_;
    QImage baseImage_;
    QImage overview_;
    double overviewScale_ = 1.0;
    QPoint overviewOffset_;
    QSize overviewSize_{160, 160};
    std::vector<QImage> tiles_;        // 16 x 16, one per thread, then the empty-cell tile
    std::vector<QImage> scaledTiles_;  // the same at cell size
    void rescaleStitchTiles();
    bool stepZoom(bool in);
    QPoint areaCentre() const;
    void keepChartInArea();
    void updateFirstCells();  // from the origin and the cell size
    void paintCells(QPainter& p, QSize client, float s);
    void paintGrid(QPainter& p, QSize client, float s);
    void paintRulers(QPainter& p, QSize client, float s);
    void paintSymbols(QPainter& p, QSize client, float s);
    void paintFlashing(QPainter& p, QSize client, float s);
    void paintStitches(QPainter& p, QSize client, float s);
    void paintSmallStitches(QPainter& p, QSize client);
    void paintAxisMarks(QPainter& p, float s);
    // The visible cells: columns [c0, c1), rows [r0, r1).
    QRect visibleCells(QSize client) const { return geometry().visibleCells(client); }
    QColor cellColour(std::int32_t index) const;
    // Kept between paints: the chart symbols drawn once per cell size and ink, and the
    // picture the visible stitch tiles are laid into.
    ChartPaintCache paintCache_;
};

}  // namespace brenmark
