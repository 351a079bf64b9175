// Window geometry and failure texts that need no window: centring at the first
// showing, scaling to the text height, and the texts in which failures show.
#include <gtest/gtest.h>

#include "framework/failure_text.h"
#include "framework/placement.h"

namespace {

struct CentreCase {
    const char* name;
    Bounds area;
    int width;
    int height;
    Point expected;
};

const CentreCase kCentreCases[] = {
    {"main window on 1280x1024", {0, 0, 1280, 1024}, 885, 619, {197, 202}},
    {"odd differences truncate", {0, 0, 1024, 768}, 885, 619, {69, 74}},
    {"screen narrower than the window", {0, 0, 800, 600}, 885, 619, {0, 0}},
    {"only narrower: y still centred", {0, 0, 640, 1024}, 885, 619, {0, 202}},
    {"only lower: x still centred", {0, 0, 1280, 480}, 885, 619, {197, 0}},
    {"help window over the main window", {197, 202, 885, 619}, 743, 420, {268, 301}},
    {"help over a main window moved off the left", {-300, 10, 885, 619}, 743, 420, {0, 109}},
    // -1 / 2 is 0 toward zero (flooring would give -1, then clamped all the same).
    {"a one-pixel-smaller area", {0, 0, 884, 618}, 885, 619, {0, 0}},
    {"truncation toward zero before the offset", {10, 10, 884, 618}, 885, 619, {10, 10}},
};

TEST(PlacementTest, CentredOriginClampsNegativesToZero)
{
    for (const CentreCase& c : kCentreCases)
        EXPECT_EQ(CentredOrigin(c.area, c.width, c.height), c.expected) << c.name;
}

struct ScaleCase {
    int value;
    int textHeight;
    int expected;
};

const ScaleCase kScaleCases[] = {
    {885, 13, 885}, {0, 13, 0}, {-11, 13, -11},  // the design text height changes nothing
    {885, 16, 1089}, {13, 16, 16}, {-11, 16, -14}, // 120 dpi: 16 / 13
    {17, 26, 34},                                  // twice the height, twice the size
    {1, 19, 1}, {1, 20, 2}, {-1, 20, -2},          // halves round away from zero
};

TEST(PlacementTest, ScaleToTextHeight)
{
    for (const ScaleCase& c : kScaleCases)
        EXPECT_EQ(ScaleToTextHeight(c.value, c.textHeight), c.expected) << c.value << " at " << c.textHeight;
}

struct MessageCase {
    const char* message;
    const char* shown;
};

const MessageCase kMessageCases[] = {
    {"Only one instance of TWinXP allowed on form", "Only one instance of TWinXP allowed on form."},
    {"Already ends.", "Already ends."},
    {"", ""},
    {"ends in a space ", "ends in a space "},
    {"ends in a comma,", "ends in a comma,"},      // ',' is 0x2C
    {"ends in a slash/", "ends in a slash/."},     // '/' is 0x2F
    {"ends in a digit 7", "ends in a digit 7."},
    {"ends in Cyrillic \xFF", "ends in Cyrillic \xFF."},  // compared unsigned
    {"ends in an exclamation!", "ends in an exclamation!"},
};

TEST(FailureTextTest, PeriodOnlyAfterALastByteAboveThePeriod)
{
    for (const MessageCase& c : kMessageCases)
        EXPECT_EQ(DisplayedMessage(c.message), c.shown) << '"' << c.message << '"';
}

TEST(FailureTextTest, StartupFailureText)
{
    EXPECT_EQ(StartupFailureText("Exception", "Dovrin.exe", 0x0040ABCD, "Only one instance of TWinXP allowed on form"),
              "Exception Exception in module Dovrin.exe at 0040ABCD.\nOnly one instance of TWinXP allowed on form.");
    EXPECT_EQ(StartupFailureText("Exception", "Dovrin.exe", 0x0040ABCD, "Ends."),
              "Exception Exception in module Dovrin.exe at 0040ABCD.\nEnds.");
    EXPECT_EQ(StartupFailureText("std::bad_alloc", "Dovrin.exe", 0, "Out of memory"),
              "Exception std::bad_alloc in module Dovrin.exe at 00000000.\nOut of memory.");
}

}  // namespace
