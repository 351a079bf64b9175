#include "conversion/part_list.h"

#include <gtest/gtest.h>

#include <new>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/field.h"
#include "failing_allocation.h"

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
        LineCase{"LineFeedIsAByteOfTheLine", "p1\nq\tp2", "1", "0",
                 "1\tp2\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\nq\tD"},
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

// A sink that keeps each output line, CR LF included, and checks that the
// blocks it is handed hold whole lines.
OutputSink Collect(std::vector<std::string>& lines) {
    return [&lines](std::string_view block) {
        EXPECT_FALSE(block.empty());
        for (std::size_t end; (end = block.find('\n')) != std::string_view::npos; block.remove_prefix(end + 1)) {
            lines.emplace_back(block.substr(0, end + 1));
        }
        EXPECT_EQ(block, "") << "a block ends within a line";
    };
}

std::vector<std::string> ConvertWhole(std::string_view text) {
    std::vector<std::string> lines;
    ConvertPartList(text, "1", "0", Collect(lines));
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
        PartListConverter converter("1", "0", Collect(lines));
        converter.Feed(text.substr(0, cut));
        converter.Feed(text.substr(cut));
        converter.Finish();
        EXPECT_EQ(lines, GetParam().lines) << "cut at " << cut;
    }
    std::vector<std::string> lines;
    PartListConverter converter("1", "0", Collect(lines));
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
                    TextCase{"SpacesAreAPart", "   \r\n", {Part("   ")}},
                    // Fields and lines longer than the blocks of bytes that are
                    // looked at together, cut everywhere by the test above: the
                    // first TAB past the first block, all seven TABs in the
                    // first block and the LF in the next, a seventh field of
                    // more than 16 bytes.
                    TextCase{"LinesLongerThanABlock",
                             "A part name long enough that the TAB after it comes past byte 64\t2\t3\t4\r\n"
                             "p1\tp2\tp3\tp4\tp5\tp6\tp7\tp8 with a text long enough to end in the second block\r\n"
                             "\t\t\t\t\t\tseventh field, 17",
                             {"1\t2\t4\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t"
                              "A part name long enough that the TAB after it comes past byte 64\tD\r\n",
                              "1\tp2\tp4\tp7\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n",
                              "1\t\t\tseventh field, 17\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t\tD\r\n"}}),
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
    ConvertPartList("p1\tp2\r\nq1\tq2\r\n", "M 2", "1", Collect(lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"M 2\tp2\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n",
                                               "M 2\tq2\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tq1\tD\r\n"}));
}

// The lines of a text as described, each converted by ConvertLine: the text
// is cut at each LF, a CR before it dropped; the piece after the last LF is a
// line too, its CR kept; an empty line gives nothing.
std::string DescribedConversion(const std::string& text) {
    std::string output;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) output += ConvertLine(line, "m", "1") + "\r\n";
    }
    if (start < text.size()) output += ConvertLine(text.substr(start), "m", "1") + "\r\n";
    return output;
}

// Random texts, whose fields and lines begin and end at every position of the
// blocks of bytes that are looked at together, converted whole and in random
// pieces.
TEST(ConvertPartList, ConvertsEachLineAsConvertLineDoes) {
    constexpr char kAlphabet[] = {'a', 'a', 'a', '\t', '\t', '\r', '\xe0'};
    std::mt19937 generator(11);
    for (int n = 0; n < 5000; ++n) {
        std::string text(generator() % 400, ' ');
        const unsigned line_length = 1 + generator() % 120;  // on average
        for (char& byte : text) {
            byte = generator() % line_length == 0 ? '\n' : kAlphabet[generator() % std::size(kAlphabet)];
        }
        const std::string expected = DescribedConversion(text);

        std::string whole;
        ConvertPartList(text, "m", "1", [&whole](std::string_view lines) { whole += lines; });
        ASSERT_EQ(whole, expected) << "text \"" << text << "\"";

        std::string pieces;
        PartListConverter converter("m", "1", [&pieces](std::string_view lines) { pieces += lines; });
        for (std::size_t at = 0, size; at < text.size(); at += size) {
            size = generator() % 40;
            converter.Feed(std::string_view(text).substr(at, size));
        }
        converter.Finish();
        ASSERT_EQ(pieces, expected) << "text \"" << text << "\" in pieces";
    }
}

// Running out of memory, on a line too long for the room that output is made
// in or, at the end of the text, for keeping it until the text ends, leaves the
// lines before it with the caller.
TEST(ConvertPartList, LinesBeforeAFailureAreDelivered) {
    const std::string long_line(4 << 20, 'c');
    for (const std::string& text : {"a\r\nb\r\n" + long_line + "\r\n" + std::string(100, 'd') + "\r\n",
                                    "a\r\nb\r\n" + long_line}) {
        std::vector<std::string> lines;
        {
            const FailingAllocation failing(1 << 20);
            EXPECT_THROW(ConvertPartList(text, "1", "0", Collect(lines)), std::bad_alloc);
        }
        EXPECT_EQ(lines, (std::vector<std::string>{Part("a"), Part("b")}));
    }
}

}  // namespace
