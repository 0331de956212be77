// The stored colours are 0x00BBGGRR; Qt's colours and pixels are red-first.
#include "editor/render/qt_colour.h"

#include <gtest/gtest.h>

namespace brenmark {
namespace {

TEST(QtColour, RedIsTheStoredColoursLowByte)
{
    const QColor c = qColour(0x00563412u);
    EXPECT_EQ(c.red(), 0x12);
    EXPECT_EQ(c.green(), 0x34);
    EXPECT_EQ(c.blue(), 0x56);
    EXPECT_EQ(c.alpha(), 255);
}

TEST(QtColour, AgreesWithTheCellPicturesPixels)
{
    for (const ColorRef c : {rgb(0, 0, 0), rgb(255, 255, 255), rgb(0xFE, 0x01, 0x80), rgb(3, 200, 77)})
        EXPECT_EQ(qColour(c).rgb(), pixelOf(c)) << c;
}

}  // namespace
}  // namespace brenmark
