#pragma once
// Every format a chart leaves the program in, one row each: its extension, whether it is
// drawn as vectors (no canvas of pixels), its name on the command line and, for a format
// with an export command of its own, the save dialog's title and filter and the text told
// when it is written. A new format is one row here.
#include "interchange/ui_text.h"

#include <array>
#include <optional>
#include <string_view>

namespace brenmark {

enum class ChartFormat { Bmp, Jpeg, Png, Emf, Svg, Pdf };

struct ChartFormatInfo {
    ChartFormat format;
    const char* extension;     // with its dot, lower case
    bool vector;               // drawn as vectors: no canvas of pixels
    const char* cliName;       // `brenmark-cli export --format NAME`
    const char* dialogTitle;   // the save dialog of its own export command, else nullptr
    const char* dialogFilter;
    const char* doneText;      // told when written
};

inline constexpr std::array<ChartFormatInfo, 6> kChartFormats = {{
    {ChartFormat::Bmp, ".bmp", false, "bmp", nullptr, nullptr, UI_TEXT_NOOP("绣图导出完毕")},
    {ChartFormat::Jpeg, ".jpg", false, "jpg", UI_TEXT_NOOP("存储绣图JPG"), UI_TEXT_NOOP("绣图JPG (.jpg)|*.jpg|绣图PNG (.png)|*.png|"), UI_TEXT_NOOP("绣图导出完毕")},
    {ChartFormat::Png, ".png", false, "png", nullptr, nullptr, UI_TEXT_NOOP("绣图导出完毕")},
    {ChartFormat::Emf, ".emf", true, "emf", UI_TEXT_NOOP("导出矢量绣图EMF"), UI_TEXT_NOOP("矢量绣图EMF (.EMF)|*.EMF|"), UI_TEXT_NOOP("矢量绣图导出完毕")},
    {ChartFormat::Svg, ".svg", true, "svg", UI_TEXT_NOOP("存储绣图SVG"), UI_TEXT_NOOP("绣图SVG (.svg)|*.svg|"), UI_TEXT_NOOP("SVG绣图导出完毕")},
    {ChartFormat::Pdf, ".pdf", true, "pdf", UI_TEXT_NOOP("存储绣图PDF"), UI_TEXT_NOOP("绣图PDF (.pdf)|*.pdf|"), UI_TEXT_NOOP("PDF绣图导出完毕")},
}};

constexpr const ChartFormatInfo& chartFormatInfo(ChartFormat format)
{
    for (const ChartFormatInfo& row : kChartFormats)
        if (row.format == format)
            return row;
    return kChartFormats[0];
}

constexpr bool isVectorFormat(ChartFormat format) { return chartFormatInfo(format).vector; }

// The format of a command-line name ("bmp", "jpg", "png", "emf", "svg", "pdf").
constexpr std::optional<ChartFormat> chartFormatNamed(std::string_view name)
{
    for (const ChartFormatInfo& row : kChartFormats)
        if (name == row.cliName)
            return row.format;
    return std::nullopt;
}

}  // namespace brenmark
