// The one list of chart formats: every format once, its extension, vector or not, its
// command-line name and the texts of its export command.
#include "editor/output/chart_files.h"
#include "editor/output/chart_formats.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace brenmark;

TEST(ChartFormats, EveryFormatIsOneRowWithItsOwnNameAndExtension)
{
    std::set<std::string> names, extensions;
    for (const ChartFormatInfo& row : kChartFormats) {
        EXPECT_EQ(&chartFormatInfo(row.format), &row);
        EXPECT_TRUE(names.insert(row.cliName).second) << row.cliName;
        EXPECT_TRUE(extensions.insert(row.extension).second) << row.extension;
        EXPECT_EQ(chartFormatNamed(row.cliName), row.format);
        EXPECT_EQ(extensionOf(row.format), QString::fromLatin1(row.extension));
        EXPECT_EQ(row.extension[0], '.');
        EXPECT_NE(row.doneText, nullptr);
        EXPECT_EQ(row.dialogTitle == nullptr, row.dialogFilter == nullptr);
    }
    EXPECT_FALSE(chartFormatNamed("tif").has_value());
    EXPECT_FALSE(chartFormatNamed("").has_value());
}

TEST(ChartFormats, OnlyEmfSvgAndPdfAreDrawnAsVectors)
{
    EXPECT_TRUE(isVectorFormat(ChartFormat::Emf));
    EXPECT_TRUE(isVectorFormat(ChartFormat::Svg));
    EXPECT_TRUE(isVectorFormat(ChartFormat::Pdf));
    EXPECT_FALSE(isVectorFormat(ChartFormat::Bmp));
    EXPECT_FALSE(isVectorFormat(ChartFormat::Jpeg));
    EXPECT_FALSE(isVectorFormat(ChartFormat::Png));
}

TEST(ChartFormats, TheExportCommandsTextsComeFromTheirRows)
{
    EXPECT_STREQ(chartFormatInfo(ChartFormat::Emf).dialogTitle, "导出矢量绣图EMF");
    EXPECT_STREQ(chartFormatInfo(ChartFormat::Pdf).dialogFilter, "绣图PDF (.pdf)|*.pdf|");
    EXPECT_STREQ(kTextSvgExported, "SVG绣图导出完毕");
    EXPECT_STREQ(kTextChartExported, "绣图导出完毕");
}
