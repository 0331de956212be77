// Charts of a pattern with clear symbols: the PDF carries the chart symbol font embedded, with
// a Unicode map, beside the text font, and its text gives back every cell's symbol; a pattern
// of characters keeps its text font alone.
#include "editor/document/symbol_charset.h"
#include "editor/output/chart_files.h"
#include "editor/render/chart_export.h"
#include "editor/output/tests/output_files_support.h"
#include "interchange/gbk_qstring.h"

#include <QProcess>
#include <QTemporaryDir>

#include "editor/render/tests/program_output.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

QString run(const QString& program, const QStringList& args)
{
    return test::runProgram(program, args);
}

// Six threads in bands of five columns, 60 cells each.
PatternDocument bandedPattern(bool clear)
{
    const bool before = clearSymbolsForNewPatterns();
    setClearSymbolsForNewPatterns(clear);
    PatternDocument doc;
    doc.create(30, 10, "DMC");
    setClearSymbolsForNewPatterns(before);
    for (int i = 0; i < 6; ++i)
        doc.addThread(rgb(30 * i, 220 - 30 * i, 100), std::to_string(310 + i));
    doc.assignDefaultSymbols();
    for (int r = 0; r < doc.height(); ++r)
        for (int c = 0; c < doc.width(); ++c)
            doc.setCell(c, r, c / 5);
    return doc;
}

QString pdfOf(const PatternDocument& doc, const QTemporaryDir& dir, const QString& name)
{
    const ChartLayout layout(doc, PrintSettings{}, test::kA4);
    const QStringList files = writeChartPages(layout, ChartStyle::PrintColour, dir.filePath(name + u".x"_qs), ChartFormat::Pdf,
                                              nullptr, nullptr);
    return files.size() == 1 ? files[0] : QString();
}

}  // namespace

TEST(ClearSymbolsPdf, EmbedsTheSymbolFontWithAUnicodeMapAndItsTextGivesBackEveryCell)
{
    QTemporaryDir dir;
    const PatternDocument doc = bandedPattern(true);
    ASSERT_TRUE(doc.clearSymbols);
    const QString pdf = pdfOf(doc, dir, u"clear"_qs);
    ASSERT_FALSE(pdf.isEmpty());

    const QStringList rows = run(u"pdffonts"_qs, {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    int symbolFonts = 0;
    for (const QString& row : rows) {  // name type encoding emb sub uni object
        if (!row.contains(u"BrenmarkChartSymbols"_qs))
            continue;
        ++symbolFonts;
        const QStringList f = row.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(f.size(), 7);
        EXPECT_EQ(f[f.size() - 5], u"yes"_qs) << row.toStdString();  // embedded
        EXPECT_EQ(f[f.size() - 3], u"yes"_qs) << row.toStdString();  // ToUnicode
    }
    EXPECT_EQ(symbolFonts, 1) << rows.join(u'\n').toStdString();
    // The rest of the page is in another font.
    EXPECT_GT(rows.size(), 1);

    const QString text = run(u"pdftotext"_qs, {pdf, u"-"_qs});
    for (std::size_t i = 0; i < 6; ++i) {
        const QString symbol = fromGbk(doc.symbols[i].symbol);
        EXPECT_EQ(symbol.size(), 1);
        EXPECT_EQ(QString(symbol).toUcs4().value(0), clearSymbolCodePoints()[i]);
        EXPECT_EQ(text.count(symbol), 50 + 1) << clearSymbolNames()[i];  // the cells and the key
    }
}

TEST(ClearSymbolsPdf, APatternOfCharactersDoesNotCarryTheSymbolFont)
{
    QTemporaryDir dir;
    const QString pdf = pdfOf(bandedPattern(false), dir, u"old"_qs);
    ASSERT_FALSE(pdf.isEmpty());
    const QString fonts = run(u"pdffonts"_qs, {pdf});
    EXPECT_FALSE(fonts.isEmpty());
    EXPECT_FALSE(fonts.contains(u"BrenmarkChartSymbols"_qs)) << fonts.toStdString();
}

}  // namespace brenmark
