// The pictures of the tool and stitch-kind buttons, and the tool table the tool window
// is built from.
#include "editor/view/tools/tool_types.h"
#include "editor/view/widgets/tool_icons.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brenmark {
namespace {

int inkedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}

TEST(ToolIcons, EveryToolHasItsOwnPicture)
{
    std::set<QByteArray> seen;
    for (const ToolButtonInfo& info : kToolButtons) {
        const QImage icon = toolIconImage(info.tool, 24);
        ASSERT_EQ(icon.size(), QSize(24, 24));
        EXPECT_GT(inkedPixels(icon), 10) << info.controlId;
        seen.insert(QByteArray(reinterpret_cast<const char*>(icon.constBits()), static_cast<int>(icon.sizeInBytes())));
    }
    EXPECT_EQ(seen.size(), kToolButtons.size());
}

TEST(ToolIcons, PicturesScale)
{
    EXPECT_EQ(toolIconImage(Tool::Fill, 48).size(), QSize(48, 48));
    EXPECT_GT(inkedPixels(toolIconImage(Tool::Fill, 48)), inkedPixels(toolIconImage(Tool::Fill, 24)));
}

TEST(StitchKindIcons, FourteenDistinctKinds)
{
    std::set<QByteArray> seen;
    for (int kind = 0; kind < kStitchKindCount; ++kind) {
        const QImage icon = stitchKindIconImage(kind, 24);
        seen.insert(QByteArray(reinterpret_cast<const char*>(icon.constBits()), static_cast<int>(icon.sizeInBytes())));
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kStitchKindCount));
}

TEST(ToolTable, ButtonsTooltipsAndNumbers)
{
    for (std::size_t i = 0; i < kToolButtons.size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(kToolButtons[i].tool), i);
    EXPECT_EQ(kToolButtons.front().controlId, 1038);
    EXPECT_EQ(std::string(toolButton(Tool::Move).tooltip), "移动图像工具");
    EXPECT_EQ(std::string(toolButton(Tool::Fill).tooltip), "用选中颜色填充指定颜色封闭的区域工具");
    EXPECT_EQ(std::string(toolButton(Tool::Clone).tooltip), std::string(toolButton(Tool::CloneSpare).tooltip));
    EXPECT_EQ(toolButton(Tool::HollowOut).controlId, 1050);
    EXPECT_EQ(toolButton(Tool::Eraser).controlId, 1051);
    // GBK at run time: two bytes per character.
    EXPECT_EQ(std::string(toolButton(Tool::Line).tooltip).size(), 10u);
}

}  // namespace
}  // namespace brenmark
