#include "clipboard/clipboard_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "memory_clipboard.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Operation = MemoryClipboard::Operation;

constexpr unsigned kText = MemoryClipboard::kText;
constexpr unsigned kBitmap = MemoryClipboard::kBitmap;

int main_window;
int other_window;
WindowHandle const kOwner = &main_window;
WindowHandle const kOther = &other_window;

// Whatever path a routine took, it leaves no lock, no misuse and a closed clipboard.
void ExpectLeftClean(const MemoryClipboard& clipboard) {
    EXPECT_THAT(clipboard.Misuses(), IsEmpty());
    EXPECT_EQ(clipboard.LockedBlocks(), 0);
    EXPECT_EQ(clipboard.Closes(), clipboard.Opens());
}

struct ReadCase {
    const char* name;
    enum { Text, Picture, Nothing } contents;
    std::string bytes;  // of the text block
    std::optional<Operation> failing;
    bool result;
    std::string text;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadClipboardTextTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadClipboardTextTest, GivesTheTextUpToItsFirstNul) {
    const ReadCase& c = GetParam();
    MemoryClipboard clipboard;
    if (c.contents == ReadCase::Text) clipboard.PutText(c.bytes);
    if (c.contents == ReadCase::Picture) clipboard.PutPicture();
    if (c.failing) clipboard.Fail(*c.failing);
    const std::vector<unsigned> formats = clipboard.Formats();

    std::string text;
    EXPECT_EQ(ReadClipboardText(clipboard, kOwner, text), c.result);
    EXPECT_EQ(text, c.text);

    ExpectLeftClean(clipboard);
    EXPECT_EQ(clipboard.Frees(), 0);  // a block read belongs to the clipboard
    EXPECT_EQ(clipboard.Formats(), formats);
    if (c.contents == ReadCase::Text) {
        EXPECT_EQ(clipboard.TextBytes(), c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadClipboardTextTest,
    ::testing::Values(
        ReadCase{"BlockLongerThanItsText", ReadCase::Text, std::string("abc\0wxyz", 8), {}, true, "abc"},
        ReadCase{"BlockWithoutNul", ReadCase::Text, "abc", {}, true, "abc"},
        ReadCase{"BytesAsTheyStand", ReadCase::Text, "\xcf\xf0\xee\t1\n2\r\n\x01\xff", {}, true,
                 "\xcf\xf0\xee\t1\n2\r\n\x01\xff"},
        ReadCase{"NulFirst", ReadCase::Text, std::string("\0abc", 4), {}, true, ""},
        ReadCase{"BlockOfSizeZero", ReadCase::Text, "", {}, true, ""},
        ReadCase{"PictureOnly", ReadCase::Picture, "", {}, false, ""},
        ReadCase{"NothingAtAll", ReadCase::Nothing, "", {}, false, ""},
        ReadCase{"OpenFails", ReadCase::Text, "abc", Operation::Open, false, ""},
        ReadCase{"NoTextBlock", ReadCase::Text, "abc", Operation::TextBlock, false, ""},
        ReadCase{"SizeFails", ReadCase::Text, "abc", Operation::Size, false, ""},
        ReadCase{"LockFails", ReadCase::Text, "abc", Operation::Lock, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadClipboardText, HeldOpenByAnotherWindowLeavesItToThatWindow) {
    MemoryClipboard clipboard;
    clipboard.PutText("abc");
    clipboard.HoldOpen(kOther);

    std::string text;
    EXPECT_FALSE(ReadClipboardText(clipboard, kOwner, text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(clipboard.Opens(), 0);
    EXPECT_EQ(clipboard.Closes(), 0);
    EXPECT_EQ(clipboard.OpenedBy(), kOther);
}

TEST(ReadClipboardText, FailedUnlockStillGivesTheTextAndCloses) {
    MemoryClipboard clipboard;
    clipboard.PutText("abc");
    clipboard.Fail(Operation::Unlock);

    std::string text;
    EXPECT_TRUE(ReadClipboardText(clipboard, kOwner, text));
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(clipboard.Closes(), 1);
    EXPECT_EQ(clipboard.OpenedBy(), nullptr);
    EXPECT_THAT(clipboard.Misuses(), IsEmpty());
}

struct WriteCase {
    const char* name;
    std::string text;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WriteClipboardTextTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteClipboardTextTest, LeavesTheTextAloneWithItsNul) {
    MemoryClipboard clipboard;
    clipboard.PutText("earlier");
    clipboard.PutPicture();
    const std::string& text = GetParam().text;

    EXPECT_TRUE(WriteClipboardText(clipboard, kOwner, text));

    ExpectLeftClean(clipboard);
    EXPECT_THAT(clipboard.Allocations(), ElementsAre(text.size() + 1));
    EXPECT_EQ(clipboard.Frees(), 0);  // the clipboard took the block
    EXPECT_THAT(clipboard.Formats(), ElementsAre(kText));
    EXPECT_EQ(clipboard.TextBytes(), text + '\0');
    EXPECT_EQ(clipboard.Owner(), kOwner);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteClipboardTextTest,
                         ::testing::Values(WriteCase{"TwoLines", "a\r\nb\r\n"},  // a block of 7 bytes
                                           WriteCase{"Empty", ""},               // a block of 1 byte: NUL
                                           WriteCase{"BytesAsTheyStand", "\xcf\xf0\xee\t1\n2\r\n\xff"}),
                         [](const auto& info) { return std::string(info.param.name); });

enum class Outcome { True, False, OutOfMemory };

struct WriteFailureCase {
    const char* name;
    Operation failing;
    Outcome outcome;
    int frees;
    enum { Earlier, Nothing, NewText } contents;
};

void PrintTo(const WriteFailureCase& c, std::ostream* os) { *os << c.name; }

class WriteClipboardTextFailureTest : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(WriteClipboardTextFailureTest, ClosesAndFreesOnlyWhatIsItsOwn) {
    const WriteFailureCase& c = GetParam();
    MemoryClipboard clipboard;
    clipboard.PutText("earlier");
    clipboard.PutPicture();
    const WindowHandle earlierOwner = clipboard.Owner();
    clipboard.Fail(c.failing);

    std::optional<bool> result;
    bool outOfMemory = false;
    try {
        result = WriteClipboardText(clipboard, kOwner, "new");
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    switch (c.outcome) {
        case Outcome::True: EXPECT_EQ(result, true); break;
        case Outcome::False: EXPECT_EQ(result, false); break;
        case Outcome::OutOfMemory: EXPECT_TRUE(outOfMemory); break;
    }

    EXPECT_EQ(clipboard.Frees(), c.frees);
    EXPECT_THAT(clipboard.Misuses(), IsEmpty());
    EXPECT_EQ(clipboard.OpenedBy(), nullptr);
    EXPECT_EQ(clipboard.Closes(), clipboard.Opens());
    switch (c.contents) {
        case WriteFailureCase::Earlier:
            EXPECT_THAT(clipboard.Formats(), ElementsAre(kText, kBitmap));
            EXPECT_EQ(clipboard.TextBytes(), "earlier");
            EXPECT_EQ(clipboard.Owner(), earlierOwner);
            break;
        case WriteFailureCase::Nothing:
            EXPECT_THAT(clipboard.Formats(), IsEmpty());
            EXPECT_EQ(clipboard.Owner(), kOwner);
            break;
        case WriteFailureCase::NewText:
            EXPECT_THAT(clipboard.Formats(), ElementsAre(kText));
            EXPECT_EQ(clipboard.TextBytes(), std::string("new", 4));
            EXPECT_EQ(clipboard.Owner(), kOwner);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteClipboardTextFailureTest,
    ::testing::Values(
        WriteFailureCase{"Open", Operation::Open, Outcome::False, 0, WriteFailureCase::Earlier},
        WriteFailureCase{"Allocate", Operation::Allocate, Outcome::OutOfMemory, 0, WriteFailureCase::Earlier},
        WriteFailureCase{"Lock", Operation::Lock, Outcome::OutOfMemory, 1, WriteFailureCase::Earlier},
        WriteFailureCase{"Empty", Operation::Empty, Outcome::False, 1, WriteFailureCase::Earlier},
        WriteFailureCase{"PlaceText", Operation::PlaceText, Outcome::False, 1, WriteFailureCase::Nothing},
        // The platform has taken the block by then: it is not the program's to free.
        WriteFailureCase{"Unlock", Operation::Unlock, Outcome::True, 0, WriteFailureCase::NewText}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteClipboardText, HeldOpenByAnotherWindowKeepsTheEarlierContents) {
    MemoryClipboard clipboard;
    clipboard.PutText("earlier");
    clipboard.HoldOpen(kOther);

    EXPECT_FALSE(WriteClipboardText(clipboard, kOwner, "new"));
    EXPECT_EQ(clipboard.TextBytes(), "earlier");
    EXPECT_EQ(clipboard.OpenedBy(), kOther);
    EXPECT_THAT(clipboard.Allocations(), IsEmpty());
    EXPECT_THAT(clipboard.Misuses(), IsEmpty());
}

}  // namespace
