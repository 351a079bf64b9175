#include "conversion/part_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/field.h"

namespace {

struct LineCase {
    std::string_view name;
    std::string_view line, material, rotation;
    std::string_view output;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class ConvertLineCases : public testing::TestWithParam<LineCase> {};

TEST_P(ConvertLineCases, BuildsTheCutting3Line) {
    const LineCase& c = GetParam();
    EXPECT_EQ(ConvertLine(c.line, c.material, c.rotation), c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ConvertLineCases,
    testing::Values(
        LineCase{"SevenFields", "p1\tp2\tp3\tp4\tp5\tp6\tp7", "1", "0",
                 "1\tp2\tp4\tp7\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"Rotated", "p1\tp2\tp3\tp4\tp5\tp6\tp7", "1", "1",
                 "1\tp2\tp4\tp7\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"NineFieldsDropTheOthers", "p1\tp2\tp3\tp4\tp5\tp6\tp7\tp8\tp9", "1", "0",
                 "1\tp2\tp4\tp7\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"ThreeFields", "p1\tp2\tp3", "1", "0",
                 "1\tp2\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"NoTab", "p1", "1", "0", "1\t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"EndingTabIsDropped", "p1\tp2\tp3\t", "1", "0",
                 "1\tp2\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"SpacesOnly", "   ", "1", "0", "1\t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t   \tD"},
        LineCase{"EmptyMaterial", "p1\tp2", "", "0", "\tp2\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"MaterialCopiedAsIs", "p1", " A 7 ", "0",
                 " A 7 \t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD"},
        LineCase{"Windows1251BytesUntouched", "\xc4\xed\xee\t720\t1\t560\t0\t16\t2", "1", "0",
                 "1\t720\t560\t2\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t\xc4\xed\xee\tD"}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(RotationFlag, IsOneOrZero) {
    EXPECT_EQ(RotationFlag(true), "1");
    EXPECT_EQ(RotationFlag(false), "0");
}

// The 23 pieces joined from four calls of GetField, on random lines of bytes
// that include TAB, CR and a Windows-1251 letter: the conversion reads the
// same fields as field access does.
TEST(ConvertLine, JoinsTheFieldsThatGetFieldGives) {
    constexpr char kAlphabet[] = {'a', ' ', '\t', '\t', '\r', '\xe0'};
    std::mt19937 generator(7);
    for (int n = 0; n < 20000; ++n) {
        std::string line(1 + generator() % 40, ' ');
        for (char& byte : line) byte = kAlphabet[generator() % std::size(kAlphabet)];
        const std::string expected = "m\t" + GetField("\t", line, 2) + "\t" + GetField("\t", line, 4) + "\t" +
                                     GetField("\t", line, 7) + "\t" + "1" + "\t" + "\t" + "False\t" + "False\t" +
                                     "False\t" + "False\t" + "False" + "\t" + GetField("\t", line, 1) + "\t" + "D";
        ASSERT_EQ(ConvertLine(line, "m", "1"), expected) << "line \"" << line << "\"";
    }
}

// The output line for a part line holding only its name.
std::string Part(std::string_view name) {
    return "1\t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t" + std::string(name) + "\tD\r\n";
}

std::vector<std::string> ConvertWhole(std::string_view text) {
    std::vector<std::string> lines;
    ConvertPartList(text, "1", "0", [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

struct TextCase {
    std::string_view name;
    std::string_view text;
    std::vector<std::string> lines;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class ConvertPartListCases : public testing::TestWithParam<TextCase> {};

TEST_P(ConvertPartListCases, GivesOneOutputLinePerPart) {
    EXPECT_EQ(ConvertWhole(GetParam().text), GetParam().lines);
}

// The same lines however the text is cut into pieces, a CR LF cut in two included.
TEST_P(ConvertPartListCases, GivesTheSameLinesFromPieces) {
    const std::string_view text = GetParam().text;
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        std::vector<std::string> lines;
        PartListConverter converter("1", "0", [&lines](std::string_view line) { lines.emplace_back(line); });
        converter.Feed(text.substr(0, cut));
        converter.Feed(text.substr(cut));
        converter.Finish();
        EXPECT_EQ(lines, GetParam().lines) << "cut at " << cut;
    }
    std::vector<std::string> lines;
    PartListConverter converter("1", "0", [&lines](std::string_view line) { lines.emplace_back(line); });
    for (const char byte : text) converter.Feed(std::string_view(&byte, 1));
    converter.Finish();
    EXPECT_EQ(lines, GetParam().lines) << "byte by byte";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConvertPartListCases,
    testing::Values(TextCase{"Empty", "", {}},
                    TextCase{"OneLineWithoutBreak", "a", {Part("a")}},
                    TextCase{"FinalBreakEndsTheLastLine", "a\r\n", {Part("a")}},
                    TextCase{"TwoLines", "a\r\nb", {Part("a"), Part("b")}},
                    TextCase{"TwoLinesEndingWithBreak", "a\r\nb\r\n", {Part("a"), Part("b")}},
                    TextCase{"BareLineFeedsEndLines", "a\nb\n", {Part("a"), Part("b")}},
                    TextCase{"MixedBreaks", "a\nb\r\nc", {Part("a"), Part("b"), Part("c")}},
                    TextCase{"EmptyLineGivesNoLine", "a\r\n\r\nb\r\n", {Part("a"), Part("b")}},
                    TextCase{"TwoFinalBreaks", "a\r\n\r\n", {Part("a")}},
                    TextCase{"OnlyBreaks", "\r\n\n\r\n", {}},
                    TextCase{"LoneCrStaysInTheLine", "a\rb\r\n", {Part("a\rb")}},
                    TextCase{"LoneCrAtTheEnd", "a\r", {Part("a\r")}},
                    TextCase{"CrBeforeCrLf", "a\r\r\n", {Part("a\r")}},
                    TextCase{"LoneCrIsNoEmptyLine", "\r", {Part("\r")}},
                    TextCase{"SpacesAreAPart", "   \r\n", {Part("   ")}}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// A part line is a line of the text, however long: nothing is cut at 4096 bytes.
TEST(ConvertPartList, LongLineIsOnePart) {
    const std::string name(10000, 'n');
    const std::string width(5000, '5');
    EXPECT_EQ(ConvertWhole(name + "\t2\t3\t" + width + "\r\nb\r\n"),
              (std::vector<std::string>{"1\t2\t" + width + "\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t" + name + "\tD\r\n",
                                        Part("b")}));
}

TEST(ConvertPartList, MaterialAndRotationOnEveryLine) {
    std::vector<std::string> lines;
    ConvertPartList("p1\tp2\r\nq1\tq2\r\n", "M 2", "1", [&lines](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"M 2\tp2\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n",
                                               "M 2\tq2\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tq1\tD\r\n"}));
}

// Each line reaches the sink as it is made, so a failure part-way leaves the
// lines before it with the caller.
TEST(ConvertPartList, LinesBeforeAFailureAreDelivered) {
    std::vector<std::string> lines;
    auto sink = [&lines](std::string_view line) {
        if (lines.size() == 2) throw std::runtime_error("full");
        lines.emplace_back(line);
    };
    EXPECT_THROW(ConvertPartList("a\r\nb\r\nc\r\nd\r\n", "1", "0", sink), std::runtime_error);
    EXPECT_EQ(lines, (std::vector<std::string>{Part("a"), Part("b")}));
}

}  // namespace
