// The SVG writer: its numbers and escaped text, a chart page read back (each row's symbols of
// one ink one text element, every symbol in its cell), clips and transforms as groups, and
// pages drawn by outside readers (Qt's SVG renderer, librsvg) against the same page painted
// into a picture.
#include "editor/render/chart_layout.h"
#include "editor/render/svg_paint_engine.h"
#include "editor/render/symbol_glyphs.h"
#include "editor/render/tests/chart_test_support.h"
#include "editor/render/tests/filling_device.h"
#include "editor/render/tests/painter_probe.h"
#include "editor/render/tests/program_output.h"
#include "interchange/gbk_qstring.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <optional>

using namespace brenmark;

namespace {

// An element of the document read back: its name, attributes, children and own text.
struct Node {
    QString name;
    std::map<QString, QString> attributes;
    std::vector<Node> children;
    QString text;

    QString operator[](const QString& key) const
    {
        const auto it = attributes.find(key);
        return it == attributes.end() ? QString() : it->second;
    }
};

Node readElement(QXmlStreamReader& xml)
{
    Node node;
    node.name = xml.name().toString();
    for (const QXmlStreamAttribute& a : xml.attributes())
        node.attributes[a.qualifiedName().toString()] = a.value().toString();
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.atEnd()) {
        if (xml.isStartElement())
            node.children.push_back(readElement(xml));
        else if (xml.isCharacters())
            node.text += xml.text();
    }
    return node;
}

Node parse(const QByteArray& svg)
{
    QXmlStreamReader xml(svg);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    Node root = readElement(xml);
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return root;
}

using Path = std::vector<const Node*>;

// Calls f on every element with the elements around it, outermost first.
void visit(const Node& node, Path& around, const std::function<void(const Node&, const Path&)>& f)
{
    f(node, around);
    around.push_back(&node);
    for (const Node& child : node.children)
        visit(child, around, f);
    around.pop_back();
}

std::vector<std::pair<const Node*, Path>> elements(const Node& root, const QString& name)
{
    std::vector<std::pair<const Node*, Path>> found;
    Path around;
    visit(root, around, [&](const Node& n, const Path& p) {
        if (n.name == name)
            found.emplace_back(&n, p);
    });
    return found;
}

// An attribute as an element has it from itself or the nearest group around it.
QString inherited(const Node& node, const Path& around, const QString& key)
{
    if (node.attributes.count(key))
        return node[key];
    for (auto it = around.rbegin(); it != around.rend(); ++it)
        if ((*it)->attributes.count(key))
            return (**it)[key];
    return {};
}

QByteArray svgOf(QSize size, const std::function<void(QPainter&)>& draw)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    SvgPaintDevice device(&out, size, u"test"_qs);
    QPainter p;
    EXPECT_TRUE(p.begin(&device));
    draw(p);
    EXPECT_TRUE(p.end());
    return bytes;
}

QImage painted(QSize size, const std::function<void(QPainter&)>& draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p);
    return image;
}

QImage renderedByQt(const QByteArray& svg, QSize size)
{
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), size));
    return image;
}

// The picture librsvg draws of the document at one pixel a unit.
QImage renderedByRsvg(const QByteArray& svg)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.svg"_qs), out = dir.filePath(u"out.png"_qs);
    QFile file(in);
    file.open(QIODevice::WriteOnly);
    file.write(svg);
    file.close();
    test::runProgram(u"rsvg-convert"_qs, {u"-b"_qs, u"white"_qs, u"-o"_qs, out, in});
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

// A small chart with both threads' fills and symbols, the grid in a colour of its own and a
// backstitch line along the top edge of the fourth row.
struct SmallChart {
    PatternDocument doc = test::checkerPattern(23, 17);
    PrintSettings settings;
    std::optional<ChartLayout> layout;

    SmallChart()
    {
        BackstitchLine line;
        line.color = rgb(0, 0, 0);
        line.startColumn = 1;
        line.startRow = 3;
        line.endColumn = 9;
        line.endRow = 3;
        doc.lines.push_back(line);
        settings.gridColour = rgb(0x40, 0x80, 0xC0);
        layout.emplace(doc, settings, QSize(600, 500));
    }
    void draw(QPainter& p) const { layout->drawPage(p, 1, ChartStyle::PrintColour); }
    QPoint origin() const { return layout->chartOrigin(doc.width()); }
    QRect cell(int c, int r) const
    {
        const int s = settings.cellSize;
        return QRect(origin().x() + c * s, origin().y() + r * s, s, s);
    }
};

}  // namespace

TEST(SvgWriter, NumbersHaveAtMostTheirDecimalsAndNoTrailingZeros)
{
    std::string s;
    for (const double v : {12.0, 12.5, -0.25, 0.005, -0.001, 1234567.891, 2.999, 1e300}) {
        appendSvgNumber(s, v);
        s += ' ';
    }
    appendSvgNumber(s, 0.12345, 3);
    EXPECT_EQ(s, "12 12.5 -0.25 0.01 0 1234567.89 3 1000000000000 0.123");
}

TEST(SvgWriter, TextIsEscapedAndUtf8WithWhatXmlCannotCarryLeftOut)
{
    const QString text = u"a&b<c>d\"e'f\tg"_qs + QChar(1) + fromGbk("宋") + QString::fromUcs4(U"\U0001F600") + QChar(0xD800) + u"z"_qs;
    std::string s;
    appendSvgEscaped(s, text.constData(), text.size());
    EXPECT_EQ(s, "a&amp;b&lt;c&gt;d&quot;e&apos;f\tg\xE5\xAE\x8B\xF0\x9F\x98\x80z");

    // Through the painter, as a text item and as a run, the reader gets the text back.
    const QString odd = u"A&B <C> \"D\" 'E' "_qs + fromGbk("十字绣");
    QFont font = songTi(14);
    font.setBold(true);
    const QPointF origins[] = {{10, 40}, {20, 40}, {30, 40}, {40, 40}, {50, 40}};
    const Node root = parse(svgOf(QSize(200, 60), [&](QPainter& p) {
        p.setFont(font);
        p.setPen(QColor(0x12, 0x34, 0x56));
        p.drawText(QPointF(5, 20), odd);
        p.paintEngine()->syncState();
        dynamic_cast<TextRunEngine*>(p.paintEngine())->drawTextRun(font, qRgb(200, 0, 0), u"<&>\"'"_qs, origins);
    }));
    EXPECT_EQ(root["viewBox"], u"0 0 200 60"_qs);
    // The painter may split a text where its font falls back to another: the items, in
    // order, give back the whole.
    std::vector<std::pair<const Node*, Path>> items, runs;
    for (auto& text : elements(root, u"text"_qs))
        (text.first->children.empty() ? items : runs).push_back(text);
    ASSERT_FALSE(items.empty());
    ASSERT_EQ(runs.size(), 1u);
    QString written;
    for (const auto& [item, around] : items) {
        written += item->text;
        EXPECT_EQ(inherited(*item, around, u"fill"_qs), u"#123456"_qs);
        EXPECT_EQ(inherited(*item, around, u"font-size"_qs), u"14"_qs);
        EXPECT_EQ(inherited(*item, around, u"font-weight"_qs), u"700"_qs);
        EXPECT_TRUE(inherited(*item, around, u"font-family"_qs).startsWith(u"'SimSun',"_qs));
    }
    EXPECT_EQ(written, odd);
    const Node& run = *runs[0].first;
    EXPECT_EQ(inherited(run, runs[0].second, u"fill"_qs), u"#c80000"_qs);
    ASSERT_EQ(run.children.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(run.children[static_cast<std::size_t>(k)].text, QString(u"<&>\"'"_qs[k]));
        EXPECT_EQ(run.children[static_cast<std::size_t>(k)][u"x"_qs], QString::number(10 * (k + 1)));
    }
    EXPECT_EQ(run[u"y"_qs], u"40"_qs);
}

TEST(SvgWriter, ARunKeepsASurrogatePairInOneTspanAndGivesEachBaselineWhereTheyDiffer)
{
    const QString text = u"A"_qs + QString::fromUcs4(U"\U0001F600") + u"B"_qs;
    const QPointF origins[] = {{10, 40}, {20, 40}, {20, 40}, {30, 50}};
    const Node root = parse(svgOf(QSize(100, 60), [&](QPainter& p) {
        p.paintEngine()->syncState();
        dynamic_cast<TextRunEngine*>(p.paintEngine())->drawTextRun(songTi(12), qRgb(0, 0, 0), text, origins);
    }));
    const auto runs = elements(root, u"text"_qs);
    ASSERT_EQ(runs.size(), 1u);
    const std::vector<Node>& spans = runs[0].first->children;
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[1].text, text.mid(1, 2));
    EXPECT_EQ(spans[1][u"x"_qs], u"20"_qs);
    EXPECT_EQ(spans[2][u"x"_qs], u"30"_qs);
    EXPECT_EQ(spans[0][u"y"_qs], u"40"_qs);
    EXPECT_EQ(spans[2][u"y"_qs], u"50"_qs);
}

TEST(SvgWriter, AFailedWriteFailsThePainter)
{
    const SmallChart chart;
    for (const qint64 room : {qint64(0), qint64(5000), qint64(1) << 30}) {
        test::FillingDevice out(room);
        SvgPaintDevice device(&out, chart.layout->pageSize(), u"t"_qs);
        QPainter p(&device);
        chart.draw(p);
        EXPECT_EQ(p.end(), room > 5000) << room;
    }
}

TEST(SvgWriter, EachRowsSymbolsOfOneInkAreOneTextWithEverySymbolInItsCell)
{
    const SmallChart chart;
    const Node root = parse(svgOf(chart.layout->pageSize(), [&](QPainter& p) { chart.draw(p); }));
    const int s = chart.settings.cellSize;
    const QPoint o = chart.origin();
    std::map<std::pair<int, QString>, int> textsOfRowAndInk;
    std::map<std::pair<int, int>, int> symbolsOfCell;
    for (const auto& [text, around] : elements(root, u"text"_qs)) {
        if (text->children.empty())
            continue;  // the header, the rulers: text items
        const double y = (*text)[u"y"_qs].toDouble();
        const int row = static_cast<int>(std::floor((y - o.y()) / s));
        ASSERT_TRUE(row >= 0 && row < chart.doc.height()) << y;
        const QString ink = inherited(*text, around, u"fill"_qs);
        ++textsOfRowAndInk[{row, ink}];
        for (const Node& span : text->children) {
            ASSERT_EQ(span.name, u"tspan"_qs);
            const double x = span[u"x"_qs].toDouble();
            const int column = static_cast<int>(std::floor((x - o.x()) / s));
            ASSERT_TRUE(column >= 0 && column < chart.doc.width()) << x;
            // Centred: clear of the cell's edges.
            EXPECT_GT(x - (o.x() + column * s), 0.5);
            EXPECT_GT(y - (o.y() + row * s), 0.5);
            const std::int32_t thread = chart.doc.cell(column, row);
            EXPECT_EQ(span.text, fromGbk(ChartPainter::cellSymbol(chart.doc, thread))) << column << ", " << row;
            // White on the dark blue thread, black on the yellow one.
            EXPECT_EQ(ink, thread == 0 ? u"#ffffff"_qs : u"#000000"_qs);
            ++symbolsOfCell[{column, row}];
        }
    }
    EXPECT_EQ(textsOfRowAndInk.size(), 2u * 17u);
    for (const auto& [key, count] : textsOfRowAndInk)
        EXPECT_EQ(count, 1) << "row " << key.first << " ink " << key.second.toStdString();
    EXPECT_EQ(symbolsOfCell.size(), 23u * 17u);
    for (const auto& [cell, count] : symbolsOfCell)
        EXPECT_EQ(count, 1);
}

TEST(SvgWriter, ClipsAndTransformsAreGroupsTheReadersApply)
{
    const auto draw = [](QPainter& p) {
        p.save();
        p.translate(10, 20);
        p.scale(2, 2);
        p.setClipRect(QRectF(0, 0, 10, 10));
        p.fillRect(QRectF(-5, -5, 40, 40), Qt::red);
        p.restore();
        p.save();
        p.translate(80, 10);
        p.rotate(90);
        p.fillRect(QRectF(0, 0, 30, 10), Qt::blue);  // x 70 to 80, y 10 to 40 on the page
        p.restore();
        p.setPen(QPen(Qt::green, 0));
        p.drawLine(QPointF(0, 70.5), QPointF(100, 70.5));
        // A clip of any shape: the triangle's lower left half of the square at 40, 50.
        QPainterPath triangle;
        triangle.addPolygon(QPolygonF({QPointF(40, 50), QPointF(40, 60), QPointF(50, 60)}));
        triangle.closeSubpath();
        p.setClipPath(triangle);
        p.fillRect(QRectF(40, 50, 10, 10), Qt::black);
    };
    const QByteArray svg = svgOf(QSize(100, 80), draw);
    const Node root = parse(svg);

    const auto clips = elements(root, u"clipPath"_qs);
    ASSERT_EQ(clips.size(), 2u);
    ASSERT_EQ(clips[1].first->children.size(), 1u);
    EXPECT_EQ(clips[1].first->children[0].name, u"path"_qs);
    EXPECT_EQ(clips[1].first->children[0][u"d"_qs], u"M40 50 L40 60 L50 60 L40 50Z"_qs);
    const Node& clip = *clips[0].first;
    ASSERT_EQ(clip.children.size(), 1u);
    const Node& box = clip.children[0];
    EXPECT_EQ(box.name, u"rect"_qs);
    EXPECT_EQ(QRectF(box[u"x"_qs].toDouble(), box[u"y"_qs].toDouble(), box[u"width"_qs].toDouble(), box[u"height"_qs].toDouble()),
              QRectF(10, 20, 20, 20));
    const auto paths = elements(root, u"path"_qs);
    ASSERT_EQ(paths.size(), 5u);  // the two clips' shapes among them
    const auto groupWith = [](const Path& around, const QString& key) {
        QStringList values;
        for (const Node* n : around)
            if (n->attributes.count(key))
                values << (*n)[key];
        return values;
    };
    // The red fill: inside the clip, under its transform, the clip group outermost.
    EXPECT_EQ(groupWith(paths[0].second, u"clip-path"_qs), QStringList{u"url(#"_qs + clip[u"id"_qs] + u")"_qs});
    EXPECT_EQ(groupWith(paths[0].second, u"transform"_qs), QStringList{u"matrix(2 0 0 2 10 20)"_qs});
    EXPECT_EQ(inherited(*paths[0].first, paths[0].second, u"fill"_qs), u"#ff0000"_qs);
    // The blue one turned, the green line neither clipped nor transformed.
    EXPECT_TRUE(groupWith(paths[1].second, u"clip-path"_qs).isEmpty());
    EXPECT_EQ(groupWith(paths[1].second, u"transform"_qs), QStringList{u"matrix(0 1 -1 0 80 10)"_qs});
    EXPECT_TRUE(groupWith(paths[2].second, u"clip-path"_qs).isEmpty());
    EXPECT_TRUE(groupWith(paths[2].second, u"transform"_qs).isEmpty());

    // librsvg draws what the painter does at the points that tell.
    const QImage expected = painted(QSize(100, 80), draw);
    const QImage rsvg = renderedByRsvg(svg);
    ASSERT_EQ(rsvg.size(), QSize(100, 80));
    for (const QPoint at : {QPoint(15, 25), QPoint(28, 38), QPoint(35, 45), QPoint(5, 15), QPoint(75, 25), QPoint(65, 25),
                            QPoint(75, 45), QPoint(50, 70), QPoint(50, 60), QPoint(42, 57), QPoint(47, 52)})
        EXPECT_EQ(QColor(rsvg.pixel(at)).name().toStdString(), QColor(expected.pixel(at)).name().toStdString())
            << at.x() << ", " << at.y();
    // Qt's renderer takes the transforms (it leaves clips out).
    const QImage qt = renderedByQt(svg, QSize(100, 80));
    EXPECT_EQ(QColor(qt.pixel(75, 25)), QColor(Qt::blue));
    EXPECT_EQ(QColor(qt.pixel(15, 25)), QColor(Qt::red));
    EXPECT_EQ(QColor(qt.pixel(90, 25)), QColor(Qt::white));
}

TEST(SvgWriter, AChartPageDrawnByTheReadersMatchesThePaintedOne)
{
    const SmallChart chart;
    const QSize size = chart.layout->pageSize();
    const QByteArray svg = svgOf(size, [&](QPainter& p) { chart.draw(p); });
    // The readers smooth edges: a one-unit line on a unit's edge covers half of the pixel on
    // each side, as the painter's does when it smooths too.
    const QImage expected = painted(size, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        chart.draw(p);
    });
    // Qt's renderer takes no place from a tspan and would pile each row's symbols up at its
    // first one: it gets the page without them, librsvg the whole page.
    QString withoutRuns = QString::fromUtf8(svg);
    withoutRuns.remove(QRegularExpression(u"<text [^>]*><tspan.*?</text>"_qs));
    ASSERT_EQ(svg.count("<tspan"), 23 * 17);
    ASSERT_FALSE(withoutRuns.contains(u"<tspan"_qs));
    const QImage qt = renderedByQt(withoutRuns.toUtf8(), size);
    const QImage rsvg = renderedByRsvg(svg);
    ASSERT_EQ(rsvg.size(), size);
    if (!qEnvironmentVariableIsEmpty("SVG_TEST_PICTURES")) {
        expected.save(u"/tmp/svg-painted.png"_qs);
        qt.save(u"/tmp/svg-qt.png"_qs);
        rsvg.save(u"/tmp/svg-rsvg.png"_qs);
    }
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <= 24;
    };
    const int s = chart.settings.cellSize;
    int compared = 0;
    for (int r = 0; r < chart.doc.height(); ++r)
        for (int c = 0; c < chart.doc.width(); ++c) {
            const QRect cell = chart.cell(c, r);
            // The fill clear of the symbol, the left grid line, and (in the fourth row's top
            // edge from column 1 to 9) the backstitch line over it.
            std::vector<QPoint> points{cell.topLeft() + QPoint(1, 1), QPoint(cell.left(), cell.top() + 5)};
            if (r == 3 && c >= 1 && c < 9)
                points.emplace_back(cell.left() + s / 2, cell.top());
            for (const QPoint at : points) {
                for (const auto& [reader, image] : {std::pair{"Qt", &qt}, std::pair{"librsvg", &rsvg}})
                    ASSERT_TRUE(near(image->pixel(at), expected.pixel(at)))
                        << reader << ": cell " << c << ", " << r << " at " << at.x() << ", " << at.y() << ": "
                        << QColor(image->pixel(at)).name().toStdString() << " for "
                        << QColor(expected.pixel(at)).name().toStdString();
                ++compared;
            }
        }
    EXPECT_EQ(compared, 2 * 23 * 17 + 8);

    // Every symbol in its cell: librsvg inks the inside of each cell about where the painter
    // does (Qt's renderer puts a text's characters one after the other from its first place).
    for (int r = 0; r < chart.doc.height(); ++r)
        for (int c = 0; c < chart.doc.width(); ++c) {
            const QRect inside = chart.cell(c, r).adjusted(1, 1, -1, -1);
            const QRgb fill = expected.pixel(inside.topLeft() + QPoint(1, 1));
            const auto inked = [&](const QImage& image) {
                QPointF sum;
                int n = 0;
                for (int y = inside.top(); y <= inside.bottom(); ++y)
                    for (int x = inside.left(); x <= inside.right(); ++x)
                        if (qGray(image.pixel(x, y)) - qGray(fill) > 80 || qGray(fill) - qGray(image.pixel(x, y)) > 80) {
                            sum += QPointF(x, y);
                            ++n;
                        }
                return std::pair(n, n ? sum / n : QPointF());
            };
            const auto [paintedInk, paintedAt] = inked(expected);
            const auto [readInk, readAt] = inked(rsvg);
            ASSERT_GT(paintedInk, 0) << c << ", " << r;
            ASSERT_GT(readInk, 0) << c << ", " << r;
            EXPECT_LT(QLineF(paintedAt, readAt).length(), 2.0) << c << ", " << r;
        }
}

TEST(SvgWriter, PicturesAreEmbeddedPngsOfTheirSourcePart)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(0, 0, 0), qRgb(128, 0, 128)};
    for (int i = 0; i < 6; ++i)
        picture.setPixel(i % 3, i / 3, colours[i]);
    const auto draw = [&](QPainter& p) {
        // The left two columns at twenty units a pixel; the whole as a pixmap at the bottom.
        p.drawImage(QRectF(10, 10, 40, 40), picture, QRectF(0, 0, 2, 2));
        p.drawPixmap(QRectF(60, 10, 30, 20), QPixmap::fromImage(picture), QRectF(0, 0, 3, 2));
    };
    const QByteArray svg = svgOf(QSize(100, 60), draw);
    const Node root = parse(svg);
    const auto images = elements(root, u"image"_qs);
    ASSERT_EQ(images.size(), 2u);
    const Node& first = *images[0].first;
    EXPECT_EQ(first[u"x"_qs] + u" "_qs + first[u"y"_qs] + u" "_qs + first[u"width"_qs] + u" "_qs + first[u"height"_qs], u"10 10 40 40"_qs);
    const QString href = first[u"xlink:href"_qs];
    ASSERT_TRUE(href.startsWith(u"data:image/png;base64,"_qs));
    const QImage embedded = QImage::fromData(QByteArray::fromBase64(href.mid(22).toLatin1()), "PNG");
    ASSERT_EQ(embedded.size(), QSize(2, 2));
    EXPECT_EQ(embedded.pixel(1, 1), colours[4]);
    // Each pixel's middle.
    const QImage rsvg = renderedByRsvg(svg);
    // librsvg smooths pictures whatever the document asks: a little of the neighbours shows.
    const auto near = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) <= 24;
    };
    for (int i = 0; i < 6; ++i) {
        if (i % 3 < 2)
            EXPECT_TRUE(near(rsvg.pixel(20 + 20 * (i % 3), 20 + 20 * (i / 3)), colours[i])) << i;
        EXPECT_TRUE(near(rsvg.pixel(65 + 10 * (i % 3), 15 + 10 * (i / 3)), colours[i]))
            << i << ": " << QColor(rsvg.pixel(65 + 10 * (i % 3), 15 + 10 * (i / 3))).name().toStdString();
    }
}

TEST(SvgWriter, TranslucentPaintCarriesItsOpacityTimesThePaintersOne)
{
    const auto draw = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 0, 0, 128));
        p.drawRect(QRectF(0, 0, 20, 20));
        p.setOpacity(0.5);
        p.setPen(QPen(QColor(0, 0, 255), 4));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(30, 10), QPointF(50, 10));
    };
    const QByteArray svg = svgOf(QSize(60, 20), draw);
    const Node root = parse(svg);
    // A translucent fill is a rectangle of its own: in one path with others it would be laid
    // on once, not twice, where they overlap.
    const auto rects = elements(root, u"rect"_qs), paths = elements(root, u"path"_qs);
    ASSERT_EQ(rects.size(), 1u);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(inherited(*rects[0].first, rects[0].second, u"fill-opacity"_qs), u"0.502"_qs);
    EXPECT_EQ(inherited(*paths[0].first, paths[0].second, u"stroke-opacity"_qs), u"0.5"_qs);
    EXPECT_EQ(inherited(*paths[0].first, paths[0].second, u"stroke-width"_qs), u"4"_qs);
    const QImage rsvg = renderedByRsvg(svg), expected = painted(QSize(60, 20), draw);
    for (const QPoint at : {QPoint(10, 10), QPoint(40, 10)})
        EXPECT_LE(std::abs(qRed(rsvg.pixel(at)) - qRed(expected.pixel(at))) + std::abs(qBlue(rsvg.pixel(at)) - qBlue(expected.pixel(at))), 4)
            << QColor(rsvg.pixel(at)).name().toStdString() << " for " << QColor(expected.pixel(at)).name().toStdString();
}

TEST(SvgWriter, PaintQPainterDrawsItselfBitmapsFamiliesAndMitersComeOutAsPainted)
{
    QFont odd(u"3D Sans"_qs);
    odd.setFamilies({u"3D Sans"_qs, u"Foo's \\ Face"_qs, u"DejaVu Sans"_qs, u"sans-serif"_qs});
    odd.setPixelSize(12);
    const auto draw = [&](QPainter& p) {
        test::drawPainterProbe(p);
        p.setFont(odd);
        p.drawText(QPointF(10, 55), u"key"_qs);
    };
    const QByteArray svg = svgOf(QSize(200, 60), draw);
    // Every family quoted but the generic one, the quote escaped for CSS (and then for XML).
    EXPECT_TRUE(svg.contains("font-family=\"'3D Sans','Foo\\&apos;s \\\\ Face','DejaVu Sans',sans-serif\""))
        << svg.toStdString();
    EXPECT_TRUE(svg.contains("stroke-miterlimit=\"10\""));
    const QImage rsvg = renderedByRsvg(svg), expected = painted(QSize(200, 60), draw);
    // librsvg smooths pictures whatever they ask for: the cross's points are well inside its cells.
    for (const QPoint at : test::kPainterProbePoints) {
        const QRgb a = rsvg.pixel(at), b = expected.pixel(at);
        EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)), 12)
            << at.x() << "," << at.y() << ": " << QColor(a).name().toStdString();
    }
}
