// Chart pages through the metafile writer: what the records of a page hold, and the page's
// fills and lines played back against the same page painted into a picture.
#include "editor/render/chart_layout.h"
#include "editor/render/tests/chart_test_support.h"
#include "editor/render/tests/emf_test_support.h"
#include "interchange/gbk_qstring.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>
#include <optional>

using namespace brenmark;
using namespace brenmark::emf;
using namespace brenmark::test;

namespace {

// Plays the vector records of a metafile into a picture, enough of GDI for the chart's
// fills and lines: solid brushes and pens, polygons and polylines, clip rectangles in saved
// contexts. Text and pictures are left out.
QImage play(const std::vector<Record>& all, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    std::map<std::uint32_t, QPen> pens;
    std::map<std::uint32_t, QBrush> brushes;
    struct Dc {
        QPen pen;
        QBrush brush;
        std::optional<QRect> clip;
    } dc;
    std::vector<Dc> saved;
    auto colour = [](std::uint32_t c) { return QColor(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF); };
    auto points16 = [](const Record& r, int at, int n) {
        QPolygon poly;
        for (int i = 0; i < n; ++i)
            poly << QPoint(r.i16(at + 4 * i), r.i16(at + 4 * i + 2));
        return poly;
    };
    auto apply = [&] {
        p.setPen(dc.pen);
        p.setBrush(dc.brush);
        p.setClipping(dc.clip.has_value());
        if (dc.clip)
            p.setClipRect(*dc.clip);
    };
    for (const Record& r : all) {
        switch (r.type) {
        case EMR_CREATEPEN: pens[r.u32(8)] = QPen(colour(r.u32(24)), r.i32(16), Qt::SolidLine, Qt::FlatCap); break;
        case EMR_EXTCREATEPEN: pens[r.u32(8)] = QPen(colour(r.u32(40)), r.i32(32), Qt::SolidLine, Qt::SquareCap); break;
        case EMR_CREATEBRUSHINDIRECT: brushes[r.u32(8)] = QBrush(colour(r.u32(16))); break;
        case EMR_SELECTOBJECT: {
            const std::uint32_t h = r.u32(8);
            if (h == NULL_PEN)
                dc.pen = Qt::NoPen;
            else if (h == NULL_BRUSH)
                dc.brush = Qt::NoBrush;
            else if (pens.count(h))
                dc.pen = pens[h];
            else if (brushes.count(h))
                dc.brush = brushes[h];
            break;
        }
        case EMR_SAVEDC: saved.push_back(dc); break;
        case EMR_RESTOREDC:
            dc = saved.back();
            saved.pop_back();
            break;
        case EMR_INTERSECTCLIPRECT: {
            const QRect c(QPoint(r.i32(8), r.i32(12)), QPoint(r.i32(16) - 1, r.i32(20) - 1));
            dc.clip = dc.clip ? (*dc.clip & c) : c;
            break;
        }
        case EMR_POLYGON16: {
            apply();
            // GDI fills a polygon's inside without its right and bottom edge, as Qt does.
            const QPolygon poly = points16(r, 28, static_cast<int>(r.u32(24)));
            p.drawPolygon(poly);
            break;
        }
        case EMR_POLYLINE16:
            apply();
            p.drawPolyline(points16(r, 28, static_cast<int>(r.u32(24))));
            break;
        default: break;
        }
    }
    return image;
}

}  // namespace

TEST(EmfChart, APlayedPageHasTheCellsAndGridOfThePaintedOne)
{
    const PatternDocument doc = test::checkerPattern(23, 17);
    PrintSettings settings;
    settings.gridColour = rgb(0x40, 0x80, 0xC0);
    const ChartLayout layout(doc, settings, QSize(600, 500));
    const auto draw = [&](QPainter& p) { layout.drawPage(p, 1, ChartStyle::PrintColour); };
    const QImage played = play(records(metafile(layout.pageSize(), draw)), layout.pageSize());
    QImage painted(layout.pageSize(), QImage::Format_RGB32);
    painted.fill(Qt::white);
    {
        QPainter p(&painted);
        draw(p);
    }
    const int s = settings.cellSize;
    const QPoint o = layout.chartOrigin(doc.width());
    int compared = 0;
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c) {
            // Inside the cell clear of its symbol, and on its left grid line.
            for (const QPoint at : {QPoint(o.x() + c * s + 1, o.y() + r * s + 1), QPoint(o.x() + c * s, o.y() + r * s + 5)}) {
                ASSERT_EQ(QColor(played.pixel(at)).name().toStdString(), QColor(painted.pixel(at)).name().toStdString())
                    << "cell " << c << ", " << r << " at " << at.x() << ", " << at.y();
                ++compared;
            }
        }
    EXPECT_EQ(compared, 2 * 23 * 17);
    // Outside the chart both are white.
    EXPECT_EQ(played.pixel(o.x() - 20, o.y() + 20), painted.pixel(o.x() - 20, o.y() + 20));
}

TEST(EmfChart, APageIsVectorsAndText)
{
    const PatternDocument doc = test::checkerPattern(30, 20);
    const ChartLayout layout(doc, PrintSettings{}, QSize(793, 1122));
    const std::vector<Record> all = records(metafile(layout.pageSize(), [&](QPainter& p) { layout.drawPage(p, 1, ChartStyle::PrintColour); }));
    checkHandles(all);
    EXPECT_EQ(all.front().u32(52), all.size());
    // Every cell a fill, the grid lines as lines, the symbols and the header as text.
    EXPECT_GE(ofType(all, EMR_POLYGON16).size(), 30u * 20u);
    EXPECT_GE(ofType(all, EMR_POLYLINE16).size(), 31u + 21u);
    QString text;
    for (const Record& t : ofType(all, EMR_EXTTEXTOUTW))
        text += t.utf16(t.i32(48), t.i32(44));
    EXPECT_TRUE(text.contains(fromGbk(layout.header(1)))) << text.left(80).toStdString();
    EXPECT_TRUE(text.contains(fromGbk(ChartPainter::cellSymbol(doc, 0))));
    for (const Record& f : ofType(all, EMR_EXTCREATEFONTINDIRECTW))
        EXPECT_EQ(f.utf16(40, 2), QString::fromUtf16(u"\u5B8B\u4F53"));
    EXPECT_TRUE(ofType(all, EMR_STRETCHDIBITS).empty()) << "no picture of the page";
}


// A metafile cannot carry the chart symbol font, so its symbols are outlines: a filled
// polygon set per cell and no symbol in the text, while the header stays text.
TEST(EmfChart, ClearSymbolsAreOutlinesNotText)
{
    PatternDocument doc = test::checkerPattern(30, 20);
    doc.clearSymbols = true;
    doc.assignDefaultSymbols();
    const ChartLayout layout(doc, PrintSettings{}, QSize(793, 1122));
    const std::vector<Record> all = records(metafile(layout.pageSize(), [&](QPainter& p) { layout.drawPage(p, 1, ChartStyle::PrintColour); }));
    checkHandles(all);
    QString text;
    for (const Record& t : ofType(all, EMR_EXTTEXTOUTW))
        text += t.utf16(t.i32(48), t.i32(44));
    EXPECT_TRUE(text.contains(fromGbk(layout.header(1))));
    EXPECT_FALSE(text.contains(fromGbk(ChartPainter::cellSymbol(doc, 0))));
    EXPECT_FALSE(text.contains(fromGbk(ChartPainter::cellSymbol(doc, 1))));
    EXPECT_GE(ofType(all, EMR_POLYPOLYGON16).size() + ofType(all, EMR_POLYPOLYGON).size(), 30u * 20u);
}
