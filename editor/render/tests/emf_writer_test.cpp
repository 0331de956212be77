// Metafiles read back byte by byte: the header's counts and rectangles, every record's size,
// the objects' handles as a reader's handle table sees them, text and fonts, clipping, and
// pictures; and a file that cannot be written leaves nothing behind.
#include "editor/render/emf_writer.h"

#include "editor/render/symbol_glyphs.h"
#include "editor/render/tests/emf_test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace brenmark;
using namespace brenmark::emf;
using namespace brenmark::test;

TEST(EmfWriter, HeaderCountsSizesAndRectangles)
{
    const QByteArray file = metafile(QSize(793, 1122), [](QPainter& p) {
        p.fillRect(QRect(10, 20, 100, 50), QColor(255, 0, 0));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(5, 300), QPointF(400, 300));
    });
    const std::vector<Record> all = records(file);
    ASSERT_GE(all.size(), 3u);
    const Record& h = all.front();
    EXPECT_EQ(h.type, EMR_HEADER);
    EXPECT_EQ(h.u32(40), kSignature);
    EXPECT_EQ(h.u32(44), kVersion);
    EXPECT_EQ(static_cast<int>(h.u32(48)), file.size()) << "nBytes";
    EXPECT_EQ(h.u32(52), all.size()) << "nRecords";
    EXPECT_EQ(all.back().type, EMR_EOF);
    EXPECT_EQ(all.back().bytes.size(), 20);
    EXPECT_EQ(all.back().u32(16), 20u) << "nSizeLast";
    // What was drawn, inclusive: the red block's top, the line's ends and its one-unit width,
    // half a unit either side of the line.
    EXPECT_EQ(h.rect(8), QRect(QPoint(4, 20), QPoint(400, 300)));
    // The frame: 793 x 1122 units at 96 an inch in hundredths of a millimetre, inclusive.
    EXPECT_EQ(h.rect(24), QRect(QPoint(0, 0), QPoint(20981 - 1, 29686 - 1)));
    // The reference screen is exactly 96 an inch: pixels x 25.4 = millimetres x 96.
    const int devW = h.i32(72), devH = h.i32(76), mmW = h.i32(80), mmH = h.i32(84);
    EXPECT_GE(devW, 793);
    EXPECT_GE(devH, 1122);
    EXPECT_EQ(devW * 254, mmW * 960);
    EXPECT_EQ(devH * 254, mmH * 960);
    EXPECT_EQ(h.i32(100), mmW * 1000) << "micrometres";
    EXPECT_EQ(h.i32(104), mmH * 1000);
    // The description follows the fixed header and ends in two zeros.
    const int descriptionUnits = static_cast<int>(h.u32(60));
    ASSERT_GT(descriptionUnits, 2);
    EXPECT_EQ(h.u32(64), 108u);
    EXPECT_TRUE(h.utf16(108, descriptionUnits).startsWith(u"Brenmark"_qs + QChar(0)));
    EXPECT_TRUE(h.utf16(108, descriptionUnits).endsWith(QString(2, QChar(0))));
    EXPECT_EQ(static_cast<int>(h.u32(4)), (108 + 2 * descriptionUnits + 3) / 4 * 4);
    checkHandles(all);
}

TEST(EmfWriter, AnEmptyDrawingHasEmptyBoundsAndTheSetUpRecords)
{
    const std::vector<Record> all = records(metafile(QSize(96, 48), [](QPainter&) {}));
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all.front().rect(8), QRect(QPoint(0, 0), QPoint(-1, -1)));
    EXPECT_EQ(all.front().rect(24), QRect(QPoint(0, 0), QPoint(2539, 1269)));
    ASSERT_EQ(ofType(all, EMR_SETMAPMODE).size(), 1u);
    EXPECT_EQ(ofType(all, EMR_SETMAPMODE)[0].u32(8), MM_TEXT);
    ASSERT_EQ(ofType(all, EMR_SETBKMODE).size(), 1u);
    EXPECT_EQ(ofType(all, EMR_SETBKMODE)[0].u32(8), TRANSPARENT);
    EXPECT_EQ(ofType(all, EMR_SETTEXTALIGN)[0].u32(8), TA_BASELINE);
}

TEST(EmfWriter, FillsAreBrushedPolygonsAndOutlinesPennedOnes)
{
    const std::vector<Record> all = records(metafile(QSize(200, 200), [](QPainter& p) {
        p.fillRect(QRect(10, 20, 30, 40), QColor(0x12, 0x34, 0x56));
        p.setPen(QPen(QColor(0, 0, 255), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(50, 60, 10, 10));
        p.setPen(QPen(QColor(0, 255, 0), 3));
        p.drawLine(QPoint(0, 100), QPoint(150, 100));
    }));
    const auto polygons = ofType(all, EMR_POLYGON16);
    ASSERT_EQ(polygons.size(), 2u);
    // The fill: the rectangle's four corners, right and bottom edges at x + w and y + h.
    const Record& fill = polygons[0];
    ASSERT_EQ(fill.u32(24), 4u);
    EXPECT_EQ(fill.bytes.size(), 8 + 16 + 4 + 4 * 4);
    const QPoint corners[4] = {{10, 20}, {40, 20}, {40, 60}, {10, 60}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(QPoint(fill.i16(28 + 4 * i), fill.i16(30 + 4 * i)), corners[i]) << i;
    EXPECT_EQ(fill.rect(8), QRect(QPoint(10, 20), QPoint(40, 60)));

    const auto brushes = ofType(all, EMR_CREATEBRUSHINDIRECT);
    ASSERT_EQ(brushes.size(), 1u);
    EXPECT_EQ(brushes[0].u32(12), BS_SOLID);
    EXPECT_EQ(brushes[0].u32(16), colorRef(0x12, 0x34, 0x56));
    const auto pens = ofType(all, EMR_CREATEPEN);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(pens[0].bytes.size(), 28);
    EXPECT_EQ(pens[0].i32(16), 1) << "width";
    EXPECT_EQ(pens[0].u32(24), colorRef(0, 0, 255));
    const auto wide = ofType(all, EMR_EXTCREATEPEN);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].bytes.size(), 52);
    EXPECT_EQ(wide[0].u32(28), PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL);
    EXPECT_EQ(wide[0].u32(32), 3u);
    EXPECT_EQ(wide[0].u32(40), colorRef(0, 255, 0));
    const auto lines = ofType(all, EMR_POLYLINE16);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(QPoint(lines[0].i16(28), lines[0].i16(30)), QPoint(0, 100));
    EXPECT_EQ(QPoint(lines[0].i16(32), lines[0].i16(34)), QPoint(150, 100));

    // The outline goes with the null brush selected, the fill with the null pen.
    std::uint32_t pen = 0, brush = 0;
    int polygon = 0;
    for (const Record& r : all) {
        if (r.type == EMR_SELECTOBJECT) {
            const std::uint32_t h = r.u32(8);
            if (h == NULL_PEN || h == pens[0].u32(8) || h == wide[0].u32(8) || h == 0x80000007)
                pen = h;
            else
                brush = h;
        } else if (r.type == EMR_POLYGON16) {
            if (polygon++ == 0) {
                EXPECT_EQ(pen, NULL_PEN);
                EXPECT_EQ(brush, brushes[0].u32(8));
            } else {
                EXPECT_EQ(pen, pens[0].u32(8));
                EXPECT_EQ(brush, NULL_BRUSH);
            }
        }
    }
    checkHandles(all);
}

TEST(EmfWriter, TextIsUtf16InTheSongFaceWithItsAdvances)
{
    const QString label = QString::fromUtf16(u"\u7B26\u53F7 A1");  // 符号 A1
    const std::vector<Record> all = records(metafile(QSize(300, 100), [&](QPainter& p) {
        QFont font = songTi(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0xAA, 0xBB, 0xCC));
        p.drawText(QRect(0, 0, 300, 40), Qt::AlignCenter, label);
        p.setFont(songTi(20));
        p.drawText(QPointF(10, 80), u"12"_qs);
    }));
    const auto fonts = ofType(all, EMR_EXTCREATEFONTINDIRECTW);
    ASSERT_EQ(fonts.size(), 2u);
    const Record& bold = fonts[0];
    EXPECT_EQ(bold.bytes.size(), 12 + 92);
    EXPECT_EQ(bold.i32(12), -12) << "lfHeight";
    EXPECT_EQ(bold.i32(28), 700) << "lfWeight";
    EXPECT_EQ(static_cast<std::uint8_t>(bold.bytes[35]), GB2312_CHARSET);
    EXPECT_EQ(bold.utf16(40, 3), QString::fromUtf16(u"\u5B8B\u4F53") + QChar(0)) << "face 宋体";
    EXPECT_EQ(fonts[1].i32(12), -20);
    EXPECT_EQ(fonts[1].i32(28), 400);

    const auto colours = ofType(all, EMR_SETTEXTCOLOR);
    ASSERT_FALSE(colours.empty());
    EXPECT_EQ(colours[0].u32(8), colorRef(0xAA, 0xBB, 0xCC));

    // The texts, whole or in pieces where a fallback face took over, in order.
    QString written;
    std::vector<Record> texts = ofType(all, EMR_EXTTEXTOUTW);
    ASSERT_FALSE(texts.empty());
    for (const Record& t : texts) {
        const int n = t.i32(44);
        const int stringAt = t.i32(48), dxAt = t.i32(72);
        EXPECT_EQ(stringAt, 76);
        EXPECT_EQ(dxAt, 76 + (2 * n + 3) / 4 * 4);
        EXPECT_EQ(t.bytes.size(), dxAt + 4 * n);
        written += t.utf16(stringAt, n);
        int advance = 0;
        for (int i = 0; i < n; ++i) {
            EXPECT_GE(t.i32(dxAt + 4 * i), 0);
            advance += t.i32(dxAt + 4 * i);
        }
        EXPECT_GT(advance, 0);
    }
    EXPECT_EQ(written, label + u"12"_qs);
    // The point text stands on its baseline at the point given.
    const Record& last = texts.back();
    EXPECT_EQ(QPoint(last.i32(36), last.i32(40)), QPoint(10, 80));
    // The centred label: its first piece starts left of the middle and sits within the box.
    EXPECT_LT(texts[0].i32(36), 150);
    EXPECT_GT(texts[0].i32(36), 100);
    EXPECT_GT(texts[0].i32(40), 10);
    EXPECT_LT(texts[0].i32(40), 40);
    checkHandles(all);
}

TEST(EmfWriter, ClipRectanglesLiveInSavedDeviceContexts)
{
    const std::vector<Record> all = records(metafile(QSize(200, 200), [](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(0, 0, 10, 10);
        p.save();
        p.translate(5, 5);
        p.setClipRect(QRect(20, 30, 40, 50));
        p.fillRect(QRect(0, 0, 200, 200), Qt::blue);
        p.restore();
        p.drawLine(0, 20, 10, 20);  // the pen again, after the restore
    }));
    std::vector<std::uint32_t> order;
    for (const Record& r : all)
        if (r.type == EMR_SAVEDC || r.type == EMR_RESTOREDC || r.type == EMR_INTERSECTCLIPRECT || r.type == EMR_POLYGON16 ||
            r.type == EMR_POLYLINE16)
            order.push_back(r.type);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{EMR_POLYLINE16, EMR_SAVEDC, EMR_INTERSECTCLIPRECT, EMR_POLYGON16, EMR_RESTOREDC,
                                                 EMR_POLYLINE16}));
    const auto clip = ofType(all, EMR_INTERSECTCLIPRECT);
    ASSERT_EQ(clip.size(), 1u);
    // In device units, the translation applied, right and bottom exclusive.
    EXPECT_EQ(QRect(QPoint(clip[0].i32(8), clip[0].i32(12)), QPoint(clip[0].i32(16), clip[0].i32(20))),
              QRect(QPoint(25, 35), QPoint(65, 85)));
    // The fill is translated; the drawn bounds stop at the clip.
    const auto fill = ofType(all, EMR_POLYGON16);
    EXPECT_EQ(QPoint(fill[0].i16(28), fill[0].i16(30)), QPoint(5, 5));
    EXPECT_EQ(all.front().rect(8), QRect(QPoint(0, 0), QPoint(64, 84)));
    // A RESTOREDC takes back what was selected inside, so the pen is selected once more.
    int penSelections = 0;
    const std::uint32_t pen = ofType(all, EMR_EXTCREATEPEN).at(0).u32(8);
    for (const Record& r : all)
        penSelections += r.type == EMR_SELECTOBJECT && r.u32(8) == pen;
    EXPECT_EQ(penSelections, 1) << "the pen was selected before the SAVEDC, so it is still in";
    checkHandles(all);
}

TEST(EmfWriter, PicturesAreBottomUpDibsOpaqueOrBlended)
{
    QImage opaque(3, 2, QImage::Format_RGB32);
    opaque.fill(Qt::white);
    opaque.setPixel(0, 0, qRgb(1, 2, 3));    // top left
    opaque.setPixel(2, 1, qRgb(10, 20, 30));  // bottom right
    QImage mark(2, 2, QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::transparent);
    mark.setPixel(1, 0, qRgba(0, 0, 0, 255));
    const std::vector<Record> all = records(metafile(QSize(200, 200), [&](QPainter& p) {
        p.drawImage(QRectF(10, 10, 30, 20), opaque);
        p.drawImage(QRectF(50, 50, 16, 16), mark);
    }));
    const auto stretched = ofType(all, EMR_STRETCHDIBITS);
    ASSERT_EQ(stretched.size(), 1u);
    const Record& s = stretched[0];
    EXPECT_EQ(QPoint(s.i32(24), s.i32(28)), QPoint(10, 10)) << "destination";
    EXPECT_EQ(QSize(s.i32(40), s.i32(44)), QSize(3, 2)) << "source size";
    EXPECT_EQ(QSize(s.i32(72), s.i32(76)), QSize(30, 20)) << "destination size";
    EXPECT_EQ(s.u32(68), SRCCOPY);
    const int bmi = s.i32(48), bits = s.i32(56);
    EXPECT_EQ(s.i32(bmi), 40);
    EXPECT_EQ(s.i32(bmi + 4), 3);
    EXPECT_EQ(s.i32(bmi + 8), 2) << "bottom-up";
    EXPECT_EQ(qFromLittleEndian<std::uint16_t>(s.bytes.constData() + bmi + 14), 24);
    EXPECT_EQ(s.i32(60), 12 * 2) << "rows of 9 bytes padded to 12";
    // The first row stored is the picture's bottom one: its last pixel is (10, 20, 30) as BGR.
    EXPECT_EQ(s.bytes.mid(bits + 6, 3), QByteArray("\x1e\x14\x0a", 3));
    EXPECT_EQ(s.bytes.mid(bits + 12, 3), QByteArray("\x03\x02\x01", 3));
    EXPECT_EQ(s.bytes.size(), bits + 24);

    const auto blended = ofType(all, EMR_ALPHABLEND);
    ASSERT_EQ(blended.size(), 1u);
    const Record& b = blended[0];
    EXPECT_EQ(QRect(b.i32(24), b.i32(28), b.i32(32), b.i32(36)), QRect(50, 50, 16, 16));
    EXPECT_EQ(b.u32(40), 0x01FF0000u) << "per-pixel alpha, constant 255";
    const int bBmi = b.i32(84), bBits = b.i32(92);
    EXPECT_EQ(qFromLittleEndian<std::uint16_t>(b.bytes.constData() + bBmi + 14), 32);
    EXPECT_EQ(QSize(b.i32(100), b.i32(104)), QSize(2, 2));
    // Top row last in the file; its right pixel is opaque black, its left one clear.
    EXPECT_EQ(b.bytes.mid(bBits + 8, 8), QByteArray("\0\0\0\0\0\0\0\xff", 8));
}

TEST(EmfWriter, CoordinatesPastSixteenBitsUseTheWideRecords)
{
    const std::vector<Record> all = records(metafile(QSize(40000, 100), [](QPainter& p) {
        p.fillRect(QRect(39000, 10, 500, 20), Qt::red);
        p.fillRect(QRect(100, 10, 500, 20), Qt::red);
    }));
    ASSERT_EQ(ofType(all, EMR_POLYGON).size(), 1u);
    ASSERT_EQ(ofType(all, EMR_POLYGON16).size(), 1u);
    const Record wide = ofType(all, EMR_POLYGON)[0];
    EXPECT_EQ(wide.i32(28), 39000);
    EXPECT_EQ(wide.i32(36), 39500);
    EXPECT_EQ(ofType(all, EMR_CREATEBRUSHINDIRECT).size(), 1u) << "one brush for both";
}

TEST(EmfWriter, ManyColoursRecycleHandlesWithoutLosingSelectedOnes)
{
    const std::vector<Record> all = records(metafile(QSize(400, 400), [](QPainter& p) {
        p.setPen(QPen(Qt::black, 2));
        p.setClipRect(QRect(0, 0, 300, 300));
        for (int i = 0; i < 1500; ++i)
            p.fillRect(QRect(i % 40 * 10, i / 40 * 10, 10, 10), QColor::fromRgb(static_cast<QRgb>(i * 7919)));
        p.drawLine(0, 0, 100, 100);
    }));
    EXPECT_EQ(ofType(all, EMR_CREATEBRUSHINDIRECT).size(), 1500u);
    EXPECT_GT(ofType(all, EMR_DELETEOBJECT).size(), 1500u - 1024u);
    EXPECT_LE(all.front().u32(56) & 0xFFFF, 1026u) << "nHandles stays near the table's limit";
    checkHandles(all);
}

TEST(EmfWriter, AFileThatCannotBeWrittenIsRefusedAndLeavesNothing)
{
    QTemporaryDir dir;
    const auto draw = [](QPainter& p) { p.fillRect(QRect(0, 0, 10, 10), Qt::red); };
    QString error;
    EXPECT_FALSE(writeEmf(dir.filePath(u"missing/page.emf"_qs), QSize(100, 100), draw, &error));
    EXPECT_FALSE(error.isEmpty());
    // A folder that is a file (the program runs as root in places, so permissions would not do).
    QFile blocker(dir.filePath(u"blocker"_qs));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    error.clear();
    EXPECT_FALSE(writeEmf(dir.filePath(u"blocker/page.emf"_qs), QSize(100, 100), draw, &error));
    EXPECT_FALSE(error.isEmpty());
    // A name that is a folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"page.emf"_qs));
    EXPECT_FALSE(writeEmf(dir.filePath(u"page.emf"_qs), QSize(100, 100), draw, &error));
    EXPECT_TRUE(QDir(dir.filePath(u"page.emf"_qs)).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{u"blocker"_qs, u"page.emf"_qs}));
    // No size, no file.
    EXPECT_FALSE(writeEmf(dir.filePath(u"empty.emf"_qs), QSize(0, 100), draw, &error));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"empty.emf"_qs)));
}

TEST(EmfWriter, AnExistingFileIsReplacedWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"page.emf"_qs);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    ASSERT_TRUE(writeEmf(path, QSize(50, 50), [](QPainter& p) { p.fillRect(QRect(0, 0, 5, 5), Qt::red); }));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(static_cast<int>(qFromLittleEndian<std::uint32_t>(bytes.constData() + 48)), bytes.size());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"page.emf"_qs});
}

TEST(EmfWriter, NestedClipsAreIntersectedAndClippingCanBeTurnedOff)
{
    const std::vector<Record> all = records(metafile(QSize(200, 200), [](QPainter& p) {
        p.setClipRect(QRect(10, 10, 100, 100));
        p.fillRect(QRect(0, 0, 5, 5), Qt::red);
        p.setClipRect(QRect(50, 0, 100, 80), Qt::IntersectClip);
        p.fillRect(QRect(0, 0, 6, 6), Qt::red);
        p.setClipping(false);
        p.fillRect(QRect(0, 0, 7, 7), Qt::red);
    }));
    std::vector<QRect> clips;
    for (const Record& r : ofType(all, EMR_INTERSECTCLIPRECT))
        clips.push_back(QRect(QPoint(r.i32(8), r.i32(12)), QPoint(r.i32(16), r.i32(20))));
    EXPECT_EQ(clips, (std::vector<QRect>{QRect(QPoint(10, 10), QPoint(110, 110)), QRect(QPoint(50, 10), QPoint(110, 80))}));
    EXPECT_EQ(ofType(all, EMR_SAVEDC).size(), 2u);
    EXPECT_EQ(ofType(all, EMR_RESTOREDC).size(), 2u) << "the second clip replaces the first; off, none is left";
    // Each clip is entered from the unclipped context: SAVEDC, RESTOREDC alternate.
    int depth = 0;
    for (const Record& r : all) {
        depth += r.type == EMR_SAVEDC ? 1 : r.type == EMR_RESTOREDC ? -1 : 0;
        EXPECT_GE(depth, 0);
        EXPECT_LE(depth, 1);
    }
    EXPECT_EQ(ofType(all, EMR_CREATEBRUSHINDIRECT).size(), 1u);
    checkHandles(all);
}

TEST(EmfWriter, AnOpaqueTextBackgroundIsAFillBehindTheText)
{
    const std::vector<Record> all = records(metafile(QSize(200, 100), [](QPainter& p) {
        p.setFont(songTi(12));
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(QColor(1, 2, 3));
        p.drawText(QPointF(10, 50), u"AB"_qs);
    }));
    int fill = -1, text = -1;
    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
        if (all[i].type == EMR_POLYGON16 && fill < 0)
            fill = i;
        if (all[i].type == EMR_EXTTEXTOUTW)
            text = i;
    }
    ASSERT_GE(fill, 0);
    EXPECT_LT(fill, text);
    ASSERT_EQ(ofType(all, EMR_CREATEBRUSHINDIRECT).size(), 1u);
    EXPECT_EQ(ofType(all, EMR_CREATEBRUSHINDIRECT)[0].u32(16), colorRef(1, 2, 3));
    // The box spans the text from its baseline up and down.
    const QRect box = all[static_cast<std::size_t>(fill)].rect(8);
    EXPECT_EQ(box.left(), 10);
    EXPECT_LT(box.top(), 50);
    EXPECT_GT(box.bottom(), 50);
}
