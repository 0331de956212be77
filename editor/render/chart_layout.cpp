#include "editor/render/chart_layout.h"

#include "editor/render/chart_symbol_font.h"
#include "editor/render/qt_colour.h"
#include "editor/render/stitch_tiles.h"
#include "editor/render/symbol_glyphs.h"
#include "interchange/gbk_qstring.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace brenmark {
namespace {

QFont headerFont()
{
    QFont f = songTi(20);
    f.setBold(true);
    return f;
}

// Ruler numbers that would run into their neighbour are left out, the last one kept: with
// small cells "30" and "31" would otherwise print over each other. `extent` is the room a
// number needs along the ruler, 0 for its text's width.
std::vector<int> spacedNumbers(int count, int s, int extent, const QFontMetrics& fm)
{
    return spacedRulerNumbers(count, s, [&](int number, int next) {
        return extent > 0 ? extent
                          : (fm.horizontalAdvance(QString::number(number)) + fm.horizontalAdvance(QString::number(next))) / 2 + 2;
    });
}

// The height of the header's title, "十字绣绣图" in the bold header font.
int chartTitleHeight()
{
    return QFontMetrics(headerFont()).boundingRect(fromGbk("十字绣绣图")).height();  // untranslated: measured only
}

}  // namespace

int cellPixelsFromMillimetres(double millimetres)
{
    const double pixels = millimetres * 96 * 0.03937007874015748;
    // Half up by the first decimal: 37.75 becomes 38, 37.74 stays 37.
    const int tenths = static_cast<int>(pixels * 10) % 10;
    return static_cast<int>(pixels) + (tenths >= 5 ? 1 : 0);
}

PageGrid paginate(int pageWidth, int pageHeight, int s, int width, int height, int titleHeight)
{
    return paginate(PageRules::printed(QSize(pageWidth, pageHeight), s, titleHeight), width, height).grid();
}

std::vector<int> pagesToPrint(const PageGrid& grid, int chosenPage)
{
    std::vector<int> pages;
    if (chosenPage > 0) {
        if (chosenPage <= grid.total)
            pages.push_back(chosenPage);
        return pages;
    }
    for (int n = 1; n <= grid.total; ++n)
        pages.push_back(n);
    return pages;
}

ChartStyle printStyle(bool colour, bool colouredSymbols)
{
    if (colouredSymbols)
        return ChartStyle::ColouredSymbols;
    return colour ? ChartStyle::PrintColour : ChartStyle::PrintBlackWhite;
}

PrintSettings chartAppSettings(PrintSettings settings)
{
    settings.pageOverlap = 3;
    settings.pageMap = true;
    settings.englishKey = true;
    settings.chartSymbols = true;
    return settings;
}

ChartLayout::ChartLayout(const PatternDocument& doc, const PrintSettings& settings, QSize page,
                         std::optional<FabricName> fabricName)
    : doc_(doc), settings_(settings), page_(page), fabricName_(std::move(fabricName))
{
    titleHeight_ = chartTitleHeight();
    PageRules rules = PageRules::printed(page, settings_.cellSize, titleHeight_);
    rules.overlap = settings_.pageOverlap;
    rules.pageMap = settings_.pageMap;
    margin_ = rules.margin();
    usage_ = ThreadUsage(doc);
    key_ = KeyModel::of(doc, usage_, settings_.key(), fabricName_);
    if (settings_.englishKey) {
        const int lines = static_cast<int>(flossLines().size());
        const int perPage = flossLinesPerPage();
        rules.keyPages = std::max(1, (lines + perPage - 1) / perPage);
    }
    plan_ = paginate(rules, doc.width(), doc.height());
}

QString ChartLayout::symbolFamily() const
{
    if (symbolFamilyOverride_)
        return *symbolFamilyOverride_;
    return settings_.chartSymbols ? chartSymbolFontFamily() : QString();
}

QSize ChartLayout::wholeChartSize(const PatternDocument& doc, bool amountsInMetres, int b)
{
    return WholeChartMetrics::canvas(b + 2, doc.width(), doc.height(), doc.threads.size(), chartTitleHeight(),
                                     KeyMetrics::at(1.0, amountsInMetres), 1.0, 0);
}

ChartLayout ChartLayout::wholeChart(const PatternDocument& doc, const PrintSettings& settings, int b,
                                    std::optional<FabricName> fabricName)
{
    PrintSettings whole = settings;
    whole.cellSize = b + 2;
    // The whole chart is one page, whatever the pages' overlap and map.
    whole.pageOverlap = 0;
    whole.pageMap = false;
    QSize canvas = wholeChartSize(doc, settings.amountsInMetres, b);
    if (settings.englishKey) {
        // The floss list under the chart instead of the bands: the canvas without bands, or
        // as tall as the list needs.
        const int pitch = b + 2;
        canvas = WholeChartMetrics::canvas(pitch, doc.width(), doc.height(), 0, chartTitleHeight(),
                                           KeyMetrics::at(1.0, settings.amountsInMetres), 1.0, 0);
        const ThreadUsage usage(doc);
        int lines = 4;  // the title, the size, the fabric, the full stitches' heading
        for (std::size_t i = 0; i < static_cast<std::size_t>(doc.threads.size()); ++i)
            lines += usage.cellsOf(i) > 0 ? 1 : 0;
        if (!usage.outlines().empty())
            lines += 1 + static_cast<int>(usage.outlines().size());
        const int margin = static_cast<int>(pitch * 4.375);
        const int keyTop = margin + chartTitleHeight() + pitch * doc.height() + margin / 2 + 15;
        canvas.setHeight(std::max(canvas.height(), keyTop + lines * kFlossLineHeight + 20));
    }
    return ChartLayout(doc, whole, canvas, std::move(fabricName));
}

void ChartLayout::drawWholeChart(QPainter& p, ChartStyle style) const
{
    p.fillRect(QRect(QPoint(0, 0), page_), Qt::white);
    drawPatternPage(p, 1, style);
    const QPoint key = wholeKeyTopLeft();
    if (settings_.englishKey) {
        const std::vector<FlossLine> lines = flossLines();
        drawFlossLines(p, style, lines, 0, static_cast<int>(lines.size()), key);
    } else {
        drawKey(p, style, key, page_.width() - key.x());
    }
}

QPoint ChartLayout::wholeKeyTopLeft() const
{
    const int chartBottom = margin_ + titleHeight_ + settings_.cellSize * doc_.height();
    return QPoint(keyMetrics().inset, chartBottom + margin_ / 2 + 15);
}

QRect ChartLayout::pageCells(int page) const
{
    return plan_.cells(page);
}

QPoint ChartLayout::chartOrigin(int columns) const
{
    return plan_.chartOrigin(columns);
}

std::string ChartLayout::header(int page) const
{
    char tail[64];
    std::snprintf(tail, sizeof tail, uiText(" --第%d张 共%d张").c_str(), page, plan_.grid().patternPages());
    return uiTextOf(settings_.title) + tail;
}

std::vector<int> ChartLayout::rulerNumbers(int count)
{
    return brenmark::rulerNumbers(count);
}

double ChartLayout::centreOffset(int count)
{
    return count % 2 == 0 ? count / 2 : count / 2 + 0.5;
}

void ChartLayout::drawPage(QPainter& p, int page, ChartStyle style) const
{
    p.fillRect(QRect(QPoint(0, 0), page_), Qt::white);
    const PageGrid& grid = plan_.grid();
    if (grid.isKeyPage(page)) {
        if (settings_.englishKey)
            drawFlossPage(p, style, page - grid.firstKeyPage());
        else
            drawKeyPage(p, style);
    } else if (page == grid.mapPage) {
        drawPageMap(p, style);
    } else {
        drawPatternPage(p, page, style);
    }
}

void ChartLayout::drawPatternPage(QPainter& p, int page, ChartStyle style) const
{
    const int s = settings_.cellSize;
    const QRect cells = pageCells(page);
    const QPoint origin = chartOrigin(cells.width());
    p.save();
    p.setFont(headerFont());
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, page_.width(), margin_ + titleHeight_), Qt::AlignHCenter | Qt::AlignVCenter, fromGbk(header(page)));

    ChartGeometry g;
    g.cellSize = static_cast<float>(s);
    g.origin = QPoint(origin.x() - cells.left() * s, origin.y() - cells.top() * s);
    g.areaStart = origin;
    g.firstColumn = cells.left();
    g.firstRow = cells.top();
    g.width = cells.right() + 1;  // the painter stops at the page's last cells
    g.height = cells.bottom() + 1;
    const QRect chartArea(origin, QSize(cells.width() * s, cells.height() * s));
    const QSize device(chartArea.right() + 1, chartArea.bottom() + 1);
    ChartPainter chart(doc_, g, style, cache_);
    chart.setGridPens(QPen(qColour(settings_.gridColour), 1), QPen(Qt::black, settings_.tenLineWidth));
    chart.setSymbolFamily(symbolFamily());

    p.save();
    p.setClipRect(chartArea);
    // The cells repeated from the pages before are shaded: a colour cell a quarter darker,
    // any other cell light grey under its symbol.
    const ChartPainter::CellShade shade{plan_.repeatedColumns(page), plan_.repeatedRows(page)};
    if (style == ChartStyle::PrintColour || !shade.columns.isEmpty() || !shade.rows.isEmpty())
        chart.fillCells(p, cells, style == ChartStyle::PrintColour, shade);
    chart.stitchMarks(p, cells);
    chart.symbols(p, cells, device, std::max(1, s - 2), true);
    // The grid covers exactly this page's cells.
    chart.gridOf(p, cells);
    chart.lines(p);
    p.restore();

    // Ruler numbers and centre marks in the margins, all four sides.
    QFont rulerFont = songTi(12);
    p.setFont(rulerFont);
    const QFontMetrics fm(rulerFont);
    p.setPen(Qt::black);
    if (rulers_.cellSize != s || rulers_.width != doc_.width() || rulers_.height != doc_.height()) {
        rulers_.rows = spacedNumbers(doc_.height(), s, fm.ascent() + 1, fm);
        rulers_.columns = spacedNumbers(doc_.width(), s, 0, fm);
        rulers_ = RulerNumbers{s, doc_.width(), doc_.height(), std::move(rulers_.rows), std::move(rulers_.columns)};
    }
    for (int n : rulers_.rows) {
        const int r = n - 1;
        if (r < cells.top() || r > cells.bottom())
            continue;
        const double y = g.origin.y() + r * s + s / 2.0 + fm.ascent() / 2.0 - 1;
        const QString label = QString::number(n);
        p.drawText(QPointF(chartArea.left() - 3 - fm.horizontalAdvance(label), y), label);
        p.drawText(QPointF(chartArea.right() + 4, y), label);
    }
    for (int n : rulers_.columns) {
        const int c = n - 1;
        if (c < cells.left() || c > cells.right())
            continue;
        const QString label = QString::number(n);
        const double x = g.origin.x() + c * s + s / 2.0 - fm.horizontalAdvance(label) / 2.0;
        p.drawText(QPointF(x, chartArea.top() - 3 - fm.descent()), label);
        p.drawText(QPointF(x, chartArea.bottom() + 3 + fm.ascent()), label);
    }
    p.setPen(QColor(255, 0, 0));
    const double cy = g.origin.y() + centreOffset(doc_.height()) * s;
    if (cy >= chartArea.top() && cy <= chartArea.bottom() + 1) {
        const QString diamond = fromGbk("◆");
        const int dw = fm.horizontalAdvance(diamond);
        const double base = cy + fm.ascent() / 2.0 - 1;
        p.drawText(QPointF(chartArea.left() - margin_ / 2.0 - dw / 2.0, base), diamond);
        p.drawText(QPointF(chartArea.right() + margin_ / 2.0 - dw / 2.0, base), diamond);
    }
    const double cx = g.origin.x() + centreOffset(doc_.width()) * s;
    if (cx >= chartArea.left() && cx <= chartArea.right() + 1) {
        const QString down = fromGbk("▼"), up = fromGbk("▲");
        const int dw = fm.horizontalAdvance(down);
        p.drawText(QPointF(cx - dw / 2.0, chartArea.top() - 3 - fm.height()), down);
        p.drawText(QPointF(cx - dw / 2.0, chartArea.bottom() + 3 + fm.height() + fm.ascent()), up);
    }
    p.restore();
}

}  // namespace brenmark
