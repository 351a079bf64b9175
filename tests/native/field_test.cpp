#include "conversion/field.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct FieldCase {
    std::string_view line;
    std::int32_t number;
    std::string_view field;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << "field " << c.number << " of " << testing::PrintToString(std::string(c.line));
}

class GetFieldCases : public testing::TestWithParam<FieldCase> {};

TEST_P(GetFieldCases, PicksTheField) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(GetField("\t", c.line, c.number), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GetFieldCases,
    testing::Values(
        FieldCase{"a\tb\tc", 1, "a"}, FieldCase{"a\tb\tc", 2, "b"}, FieldCase{"a\tb\tc", 3, "c"},
        FieldCase{"a\tb\tc", 4, ""}, FieldCase{"a\tb\tc", 5, ""}, FieldCase{"a\tb\tc", kMax, ""},
        // One TAB at the end closes the last field and opens none.
        FieldCase{"a\tb\tc\t", 1, "a"}, FieldCase{"a\tb\tc\t", 3, "c"}, FieldCase{"a\tb\tc\t", 4, ""},
        // Two at the end: the fourth field is there, and empty.
        FieldCase{"a\tb\tc\t\t", 3, "c"}, FieldCase{"a\tb\tc\t\t", 4, ""}, FieldCase{"a\tb\tc\t\t", 5, ""},
        FieldCase{"a\t\tc", 2, ""}, FieldCase{"a\t\tc", 3, "c"},
        FieldCase{"\ta", 1, ""}, FieldCase{"\ta", 2, "a"},
        FieldCase{"\t", 1, ""}, FieldCase{"\t", 2, ""},
        FieldCase{"a", 1, "a"}, FieldCase{"a", 2, ""},
        FieldCase{"a\tb", 0, ""}, FieldCase{"a\tb", -1, ""}, FieldCase{"a\tb", kMin, ""},
        // Fields are exact bytes: spaces kept, Windows-1251 letters untouched.
        FieldCase{" a \tb", 1, " a "}, FieldCase{"\xc4\xee\xed\xee\t\xca\xf0\xfb\xf8\xe0", 2, "\xca\xf0\xfb\xf8\xe0"},
        // A CR is a byte of the field like any other.
        FieldCase{"a\r\tb\r", 1, "a\r"}, FieldCase{"a\r\tb\r", 2, "b\r"}));

// The empty line has no field: every number gives the empty text.
TEST(GetField, EmptyLineGivesEmptyTextForEveryNumber) {
    for (const std::int32_t number : {kMin, -1, 0, 1, 2, 7, kMax}) {
        EXPECT_EQ(GetField("\t", "", number), "") << number;
    }
}

// Fields of every length up to 20 bytes, between two others and as the whole
// line.
TEST(GetField, FieldsOfEveryLength) {
    for (std::size_t length = 0; length <= 20; ++length) {
        const std::string field(length, 'x');
        const std::string line = "p\t" + field + "\tq";
        EXPECT_EQ(GetField("\t", line, 2), field) << length;
        EXPECT_EQ(GetField("\t", line, 3), "q") << length;
        EXPECT_EQ(GetField("\t", field, 1), field) << length;
    }
}

// The routine as described, step by step, on its own copy of the line.
std::string DescribedGetField(const std::string& separator, std::string line, std::int32_t number) {
    // Position from 1 of the first occurrence of the separator, 0 when none.
    auto pos = [&separator](const std::string& text) -> std::size_t {
        const std::size_t found = separator.empty() ? std::string::npos : text.find(separator);
        return found == std::string::npos ? 0 : found + 1;
    };
    if (line.substr(line.size() - 1, 1) != separator) line += separator;
    std::string result;
    for (std::int32_t i = 0; i < number; ++i) {
        const std::size_t p = pos(line);
        result = p <= 1 ? "" : line.substr(0, p - 1);
        if (p != 0) line = line.substr(p);
    }
    return result;
}

// Equal to the described routine on every line of bytes from a, space, TAB,
// 0x98 and 0xFF: all lines up to six bytes, and random lines of seven to
// twelve, for field numbers -2 to 14.
class GetFieldAsDescribed : public testing::TestWithParam<std::string_view> {
protected:
    void ExpectSameFields(const std::string& line) {
        const std::string separator(GetParam());
        for (std::int32_t number = -2; number <= 14; ++number) {
            ASSERT_EQ(GetField(separator, line, number), DescribedGetField(separator, line, number))
                << "line \"" << line << "\", field " << number;
        }
    }
};

constexpr char kAlphabet[] = {'a', ' ', '\t', '\x98', '\xff'};

TEST_P(GetFieldAsDescribed, OnEveryShortLine) {
    for (std::size_t length = 1; length <= 6; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i) count *= std::size(kAlphabet);
        for (std::size_t n = 0; n < count; ++n) {
            std::string line;
            for (std::size_t digits = n, i = 0; i < length; ++i, digits /= std::size(kAlphabet)) {
                line += kAlphabet[digits % std::size(kAlphabet)];
            }
            ExpectSameFields(line);
        }
    }
}

TEST_P(GetFieldAsDescribed, OnRandomLongerLines) {
    std::mt19937 generator(20240611);
    for (int n = 0; n < 20000; ++n) {
        std::string line(7 + generator() % 6, ' ');
        for (char& byte : line) byte = kAlphabet[generator() % std::size(kAlphabet)];
        ExpectSameFields(line);
    }
}

// TAB is what the program passes; the others show that the routine follows
// the description for any separator, of one character or several.
INSTANTIATE_TEST_SUITE_P(Separators, GetFieldAsDescribed,
                         testing::Values("\t", "a", " ", "\x98", "\xff", "\ta", "a\t", "aa", "\t\t", ""));

}  // namespace
