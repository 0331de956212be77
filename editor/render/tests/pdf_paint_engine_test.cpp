// Our own PDF writer, read back by the readers users have: poppler's tools and pdfminer.
#include "editor/render/chart_symbol_font.h"
#include "editor/render/pdf_paint_engine.h"
#include "editor/render/tests/filling_device.h"
#include "editor/render/tests/painter_probe.h"
#include "editor/render/tests/program_output.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace brenmark {
namespace {

const QSize kA4(793, 1122);  // A4 in 1/96 inch

QByteArray pdfOf(QSize size, int pages, const std::function<void(QPainter&, int)>& draw, bool* ended = nullptr)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        PdfPaintDevice pdf(buffer, size);
        pdf.setTitle(u"Rose garden \u73AB\u7470"_qs);
        QPainter p(&pdf);
        for (int n = 1; n <= pages; ++n) {
            if (n > 1)
                pdf.newPage();
            draw(p, n);
        }
        const bool ok = p.end();
        if (ended)
            *ended = ok;
    }
    return buffer.data();
}

QString saved(const QTemporaryDir& dir, const QByteArray& bytes, const QString& name = u"out.pdf"_qs)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// The first page drawn by poppler at 96 per inch.
QImage rendered(const QTemporaryDir& dir, const QString& pdf)
{
    const QString base = dir.filePath(u"page"_qs);
    test::runProgram(u"pdftoppm"_qs, {u"-r"_qs, u"96"_qs, u"-png"_qs, u"-singlefile"_qs, pdf, base});
    return QImage(base + u".png"_qs).convertToFormat(QImage::Format_RGB32);
}

// Each character pdfminer finds, with its box's left edge and baseline side in page units
// (y downwards).
struct Char {
    QString text;
    double left = 0, bottom = 0;
};
std::vector<Char> charsOf(const QString& pdf)
{
    const QString script = uR"(
import sys
from pdfminer.high_level import extract_pages
from pdfminer.layout import LTChar, LTTextContainer
def walk(o, h):
    if isinstance(o, LTChar):
        print('%s\t%.2f\t%.2f' % (o.get_text(), o.x0 / 0.75, (h - o.y0) / 0.75))
    elif hasattr(o, '__iter__'):
        for c in o: walk(c, h)
for page in extract_pages(sys.argv[1]):
    walk(page, page.height)
)"_qs;
    std::vector<Char> chars;
    for (const QString& line : test::runProgram(u"/usr/bin/python3"_qs, {u"-c"_qs, script, pdf}).split(u'\n')) {
        const QStringList f = line.split(u'\t');
        if (f.size() == 3)
            chars.push_back({f[0], f[1].toDouble(), f[2].toDouble()});
    }
    return chars;
}

TEST(PdfPaintEngine, EveryObjectStandsWhereTheCrossReferenceSaysAndPagesAreTheirPaper)
{
    const QByteArray pdf = pdfOf(kA4, 3, [](QPainter& p, int n) {
        p.fillRect(QRect(10 * n, 10, 100, 50), Qt::red);
        p.drawText(QPointF(20, 200), QString::number(n));
    });
    ASSERT_TRUE(pdf.startsWith("%PDF-1.4\n"));
    // The table's offsets each land on their object's header; startxref on the table.
    const qsizetype xref = pdf.lastIndexOf("\nxref\n") + 1;
    const QRegularExpression start(u"startxref\\n(\\d+)\\n%%EOF\\n$"_qs);
    const auto m = start.match(QString::fromLatin1(pdf.right(40)));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(m.captured(1).toLongLong(), xref);
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines[1].split(' ')[1].toInt();
    ASSERT_GT(count, 8);
    for (int id = 1; id < count; ++id) {
        const QByteArray entry = lines[2 + id];
        ASSERT_EQ(entry.size(), 19) << id;  // 20 bytes with its line feed
        const qsizetype at = entry.left(10).toLongLong();
        EXPECT_TRUE(pdf.mid(at).startsWith(QByteArray::number(id) + " 0 obj\n")) << id;
    }

    QTemporaryDir dir;
    const QString path = saved(dir, pdf);
    const QString info = test::runProgram(u"pdfinfo"_qs, {u"-l"_qs, u"9"_qs, path});
    EXPECT_TRUE(info.contains(u"Pages:           3"_qs)) << info.toStdString();
    EXPECT_EQ(info.count(u"size:  595 x 842 pts (A4)"_qs), 3) << info.toStdString();
    EXPECT_TRUE(info.contains(u"Rose garden \u73AB\u7470"_qs)) << info.toStdString();
    EXPECT_EQ(test::runProgram(u"pdftotext"_qs, {path, u"-"_qs}).simplified(), u"1 \f2 \f3 \f"_qs.simplified());
}

TEST(PdfPaintEngine, ShapesPicturesClipsAndTransformsLookAsThePainterDrawsThem)
{
    QImage alpha(8, 8, QImage::Format_ARGB32);
    alpha.fill(Qt::transparent);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % 3 == 0)
                alpha.setPixel(x, y, qRgb(0, 0, 200));
    const auto draw = [&](QPainter& p) {
        p.fillRect(QRect(0, 0, 400, 300), Qt::white);
        p.fillRect(QRect(10, 10, 60, 40), QColor(200, 40, 40));
        p.setPen(QPen(QColor(0, 120, 0), 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(10, 80), QPointF(200, 80));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 160, 0));
        p.drawEllipse(QPointF(120, 140), 30, 20);
        p.drawPolygon(QPolygonF({QPointF(200, 100), QPointF(260, 100), QPointF(230, 150)}));
        p.save();
        p.setClipRect(QRect(280, 20, 50, 50));  // only this corner of the square shows
        p.fillRect(QRect(260, 0, 120, 120), QColor(60, 60, 220));
        p.restore();
        p.save();
        p.translate(20, 180);
        p.scale(2, 2);
        p.fillRect(QRect(0, 0, 20, 20), QColor(128, 0, 128));
        p.restore();
        p.drawImage(QRect(300, 200, 64, 64), alpha);  // scaled up with its holes
        QPainterPath open;
        open.moveTo(100, 250);
        open.cubicTo(150, 200, 200, 300, 250, 250);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 3));
        p.drawPath(open);
    };
    QImage expected(400, 300, QImage::Format_RGB32);
    {
        QPainter p(&expected);
        draw(p);
    }
    QTemporaryDir dir;
    const QString path = saved(dir, pdfOf(QSize(400, 300), 1, [&](QPainter& p, int) { draw(p); }));
    const QImage got = rendered(dir, path);
    ASSERT_EQ(got.size(), QSize(400, 300));
    // Edges may fall a pixel either way; anything more is a fault.
    int differ = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QRgb a = expected.pixel(x, y), b = got.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 80 || std::abs(qGreen(a) - qGreen(b)) > 80 ||
                std::abs(qBlue(a) - qBlue(b)) > 80)
                ++differ;
        }
    EXPECT_LT(differ, 400 * 300 / 100) << "differing pixels: " << differ;
    EXPECT_EQ(got.pixel(270, 10), qRgb(255, 255, 255));  // clipped away
    EXPECT_EQ(got.pixel(300, 40), qRgb(60, 60, 220));
    EXPECT_EQ(got.pixel(55, 215), qRgb(128, 0, 128));    // the scaled square reaches 60
    EXPECT_EQ(got.pixel(65, 215), qRgb(255, 255, 255));
    EXPECT_EQ(got.pixel(300 + 4, 200 + 4), qRgb(0, 0, 200));      // image pixel (0,0)
    EXPECT_EQ(got.pixel(300 + 12, 200 + 4), qRgb(255, 255, 255));  // pixel (1,0): a hole
}

TEST(PdfPaintEngine, TextRunsAndTextComeBackAsTheirCharactersWhereTheyWereDrawn)
{
    const QString symbols = chartSymbolFontFamily();
    QFont symbolFont(symbols.isEmpty() ? u"DejaVu Sans"_qs : symbols);
    symbolFont.setPixelSize(12);
    const QString run = u"\u25A0\u25B2\u25CF\u25A0"_qs;  // ■▲●■
    const QPointF origins[] = {{100, 50}, {120, 50}, {200, 50}, {140, 90}};
    QFont latin(u"DejaVu Sans"_qs);
    latin.setPixelSize(14);
    QTemporaryDir dir;
    const QString path = saved(dir, pdfOf(kA4, 1, [&](QPainter& p, int) {
        auto* engine = dynamic_cast<TextRunEngine*>(p.paintEngine());
        ASSERT_NE(engine, nullptr);
        p.paintEngine()->syncState();
        engine->drawTextRun(symbolFont, qRgb(0, 0, 0), run, origins);
        p.setFont(latin);
        // The Chinese is not in this face: Qt's fallback face draws it, still text.
        p.drawText(QPointF(100, 200), u"Floss DMC 310 \u5341\u5B57\u7EE3"_qs);
    }));
    const std::vector<Char> chars = charsOf(path);
    QString all;
    for (const Char& c : chars)
        all += c.text;
    EXPECT_TRUE(all.contains(u"Floss"_qs)) << all.toStdString();
    EXPECT_TRUE(all.contains(u"\u5341\u5B57\u7EE3"_qs)) << all.toStdString();
    for (int k = 0; k < 4; ++k) {
        const auto found = std::find_if(chars.begin(), chars.end(), [&](const Char& c) {
            return c.text == run[k] && std::abs(c.left - origins[k].x()) < 1.5 && std::abs(c.bottom - origins[k].y()) < 6;
        });
        EXPECT_NE(found, chars.end()) << "symbol " << k << " not at its origin";
    }
    const QString fonts = test::runProgram(u"pdffonts"_qs, {path});
    // Each face once, embedded as a subset with its Unicode map.
    const QStringList rows = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_GE(rows.size(), 2) << fonts.toStdString();
    for (const QString& row : rows)
        EXPECT_TRUE(row.contains(QRegularExpression(u"CID TrueType\\s+Identity-H\\s+yes yes yes"_qs))) << row.toStdString();
}

TEST(PdfPaintEngine, AWriteThatFailsEndsThePainterFalse)
{
    for (qint64 room : {0, 100, 2000}) {
        test::FillingDevice device(room);
        PdfPaintDevice pdf(device, kA4);
        QPainter p(&pdf);
        p.fillRect(QRect(0, 0, 100, 100), Qt::red);
        p.drawText(QPointF(10, 10), u"x"_qs);
        EXPECT_FALSE(p.end()) << room;
    }
}


TEST(PdfPaintEngine, AFaceWithCffOutlinesGoesInAsOpenType)
{
    // URW's faces come with Ghostscript; a machine without them has nothing to try this on.
    const int added = QFontDatabase::addApplicationFont(u"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf"_qs);
    if (added < 0)
        GTEST_SKIP() << "no face with CFF outlines here";
    QFont cff(QFontDatabase::applicationFontFamilies(added).value(0));
    cff.setPixelSize(16);
    // Once the system's faces are loaded, its Type 1 twin of the same name can shadow the
    // file added here (the whole test program in one process); ctest runs each test alone.
    if (QRawFont::fromFont(cff).fontTable("CFF ").isEmpty())
        GTEST_SKIP() << "the CFF face is shadowed by its Type 1 twin in this process";
    QTemporaryDir dir;
    const QString path = saved(dir, pdfOf(kA4, 1, [&](QPainter& p, int) {
        p.setFont(cff);
        p.drawText(QPointF(50, 100), u"Aida 14 count"_qs);
    }));
    const QString fonts = test::runProgram(u"pdffonts"_qs, {path});
    EXPECT_TRUE(fonts.contains(QRegularExpression(u"CID Type 0C \\(OT\\)\\s+Identity-H\\s+yes yes yes"_qs))) << fonts.toStdString();
    EXPECT_EQ(test::runProgram(u"pdftotext"_qs, {path, u"-"_qs}).simplified(), u"Aida 14 count"_qs);
    const QImage page = rendered(dir, path);
    int ink = 0;
    for (int y = 80; y < 110; ++y)
        for (int x = 50; x < 200; ++x)
            ink += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(ink, 100);  // the glyphs are drawn, not left blank
}


QImage renderedPage(QSize size, const std::function<void(QPainter&)>& draw, bool* ended = nullptr)
{
    QTemporaryDir dir;
    const QString path = saved(dir, pdfOf(size, 1, [&](QPainter& p, int) { draw(p); }, ended));
    return rendered(dir, path);
}

bool near(QRgb a, QRgb b, int tolerance = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

TEST(PdfPaintEngine, WhatOneDrawingSetsDoesNotLeakIntoTheNext)
{
    QImage opaque(4, 4, QImage::Format_RGB32);
    opaque.fill(qRgb(0, 0, 255));
    QFont bold(u"WenQuanYi Micro Hei"_qs);  // a face without a bold of its own
    bold.setPixelSize(20);
    bold.setBold(true);
    const QImage page = renderedPage(QSize(400, 200), [&](QPainter& p) {
        // A dashed pen, then another block (a transform), then a solid pen: solid.
        p.setPen(QPen(Qt::black, 2, Qt::DashLine));
        p.drawLine(QPointF(10, 10), QPointF(390, 10));
        p.translate(0, 1);
        p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(10, 30), QPointF(390, 30));
        // Half see-through, then another block, then opaque: opaque.
        p.fillRect(QRect(10, 50, 40, 40), QColor(0, 0, 255, 128));
        p.translate(0, 1);
        p.fillRect(QRect(60, 50, 40, 40), QColor(0, 0, 255));
        // Half see-through, bold text stroked in a block of its own, then opaque again.
        p.fillRect(QRect(110, 50, 40, 40), QColor(0, 0, 255, 128));
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setFont(bold);
        p.drawText(QPointF(160, 80), u"HIM"_qs);
        p.fillRect(QRect(220, 50, 40, 40), QColor(0, 0, 255));
        // A picture after see-through paint is drawn opaque.
        p.fillRect(QRect(270, 50, 40, 40), QColor(255, 0, 0, 128));
        p.drawImage(QRect(320, 50, 40, 40), opaque);
        // The painter's opacity applies to paint.
        p.setOpacity(0.5);
        p.fillRect(QRect(10, 120, 40, 40), QColor(0, 0, 255));
    });
    ASSERT_FALSE(page.isNull());
    for (int x = 12; x < 388; ++x)
        ASSERT_LT(qGray(page.pixel(x, 31)), 60) << "gap in the solid line at " << x;
    EXPECT_TRUE(near(page.pixel(80, 70), qRgb(0, 0, 255))) << std::hex << page.pixel(80, 70);
    EXPECT_TRUE(near(page.pixel(240, 70), qRgb(0, 0, 255))) << std::hex << page.pixel(240, 70);
    EXPECT_TRUE(near(page.pixel(340, 70), qRgb(0, 0, 255))) << std::hex << page.pixel(340, 70);
    EXPECT_TRUE(near(page.pixel(30, 140), qRgb(127, 127, 255), 4)) << std::hex << page.pixel(30, 140);
}

TEST(PdfPaintEngine, GradientsSmallScalesAndFacesThatCannotBeEmbeddedStillDrawRight)
{
    const int type1 = QFontDatabase::addApplicationFont(u"/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1"_qs);
    QFont outlined(type1 >= 0 ? QFontDatabase::applicationFontFamilies(type1).value(0) : u"DejaVu Sans"_qs);
    outlined.setPixelSize(30);
    bool ended = false;
    const QImage page = renderedPage(QSize(1100, 200), [&](QPainter& p) {
        QLinearGradient ramp(10, 0, 210, 0);
        ramp.setColorAt(0, Qt::red);
        ramp.setColorAt(1, Qt::blue);
        p.fillRect(QRect(10, 10, 200, 40), ramp);
        p.save();
        p.scale(1 / 24.0, 1 / 24.0);  // a picture's scale: 0.042 would land 1 % off
        p.fillRect(QRectF(24000, 60 * 24, 240, 40 * 24), Qt::black);
        p.restore();
        p.setFont(outlined);
        p.setPen(Qt::black);
        p.drawText(QPointF(300, 150), u"Gothic"_qs);
    }, &ended);
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(ended);
    EXPECT_GT(qRed(page.pixel(15, 30)), 200);   // the ramp's red end
    EXPECT_GT(qBlue(page.pixel(205, 30)), 200);  // and its blue one, not one flat colour
    EXPECT_LT(qRed(page.pixel(205, 30)), 60);
    EXPECT_EQ(qGray(page.pixel(1005, 80)), 0);
    EXPECT_EQ(qGray(page.pixel(995, 80)), 255);
    EXPECT_EQ(qGray(page.pixel(1012, 80)), 255);
    int ink = 0;
    for (int y = 120; y < 160; ++y)
        for (int x = 300; x < 420; ++x)
            ink += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(ink, 200);  // the text is there, as outlines where the face cannot go in
}


TEST(PdfPaintEngine, PaintQPainterDrawsItselfBitmapsAndMitersComeOutAsPainted)
{
    QImage expected(200, 60, QImage::Format_RGB32);
    {
        QPainter p(&expected);
        test::drawPainterProbe(p);
    }
    const QImage page = renderedPage(QSize(200, 60), test::drawPainterProbe);
    ASSERT_FALSE(page.isNull());
    for (const QPoint at : test::kPainterProbePoints)
        EXPECT_TRUE(near(page.pixel(at), expected.pixel(at), 12))
            << at.x() << "," << at.y() << ": " << QColor(page.pixel(at)).name().toStdString() << " for "
            << QColor(expected.pixel(at)).name().toStdString();
}

}  // namespace
}  // namespace brenmark
