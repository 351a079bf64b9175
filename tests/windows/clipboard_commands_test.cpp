// Paste and Copy on the real clipboard: the main window as the program creates
// it, its buttons clicked, and another process (clipboard_peer) reading,
// holding or filling the clipboard meanwhile.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "clipboard/clipboard_text.h"
#include "clipboard/win32_clipboard.h"
#include "clipboard_peer_process.h"
#include "tests/native/failing_allocation.h"

namespace {

using namespace app_fixture;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

void Paste() { Click(Form1->Button2->Handle()); }
void Copy() { Click(Form1->Button3->Handle()); }

// The formats on the clipboard, in the order the platform lists them; none when
// it cannot be opened.
std::vector<UINT> Formats() {
    std::vector<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        formats.push_back(format);
    CloseClipboard();
    return formats;
}

// The platform offers CF_TEXT in these formats as well: nothing else may be there.
bool IsTextOrMadeFromIt(UINT format) {
    return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT || format == CF_LOCALE;
}

// Records, while it lives, the messages that change Memo1's text.
class Memo1Edits {
public:
    Memo1Edits() : memo_(Form1->Memo1->Handle()) {
        seen_.clear();
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(memo_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record)));
    }
    ~Memo1Edits() { SetWindowLongPtrA(memo_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_)); }
    Memo1Edits(const Memo1Edits&) = delete;
    Memo1Edits& operator=(const Memo1Edits&) = delete;

    const std::vector<UINT>& Seen() const { return seen_; }

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_SETTEXT: case EM_REPLACESEL: case WM_CLEAR: case WM_CUT: case WM_PASTE: case WM_CHAR:
        case WM_UNDO: case EM_UNDO:
            seen_.push_back(message);
        }
        return CallWindowProcA(previous_, window, message, wParam, lParam);
    }

    HWND memo_;
    static inline WNDPROC previous_ = nullptr;
    static inline std::vector<UINT> seen_;
};

class ClipboardCommandsTest : public AppTest {};

// Copy cases: how Memo2 gets its text, and the bytes Copy must place.
struct CopyCase {
    const char* name;
    void (*prepare)();
    std::string text;
};

void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }

// One paragraph of words, far wider than Memo2: shown over several screen lines.
const std::string kWideLine = [] {
    std::string line;
    for (int word = 0; word < 80; ++word) line += "word" + std::to_string(word) + ' ';
    return line + "end";
}();

const std::string kAllBytes = [] {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) bytes += static_cast<char>(byte);
    return bytes;
}();

const CopyCase kCopyCases[] = {
    {"CrLfLines", [] { Form1->Memo2->SetText("a\r\nb\r\n"); }, "a\r\nb\r\n"},
    {"LfAloneStaysLf", [] { Form1->Memo2->SetText("LF\nonly\n"); }, "LF\nonly\n"},
    {"CyrillicInWindows1251",
     [] { Form1->Memo2->SetText("1\t720\t560\t2\t0\t\tFalse\t\xc1\xee\xea\xee\xe2\xe8\xed\xe0\tD\r\n"); },
     "1\t720\t560\t2\t0\t\tFalse\t\xc1\xee\xea\xee\xe2\xe8\xed\xe0\tD\r\n"},
    {"EveryByteButNul", [] { Form1->Memo2->SetText(kAllBytes); }, kAllBytes},
    {"LineWiderThanTheAreaIsOneLine",
     [] {
         Form1->Memo2->SetText(kWideLine);
         ASSERT_GT(SendMessageA(Form1->Memo2->Handle(), EM_GETLINECOUNT, 0, 0), 2) << "not shown wrapped";
     },
     kWideLine},
    {"WhatTheUserTyped",
     [] {
         Form1->Memo2->SetText("a\r\n");
         SetFocus(Form1->Memo2->Handle());
         SendMessageA(Form1->Memo2->Handle(), EM_SETSEL, 3, 3);
         PressKeys({'B'});
         PressKeys({VK_RETURN});
         ASSERT_EQ(Form1->Memo2->Text(), "a\r\nb\r\n") << "typing";
     },
     "a\r\nb\r\n"},
    {"EmptyMemo2LeavesTheNulAlone", [] { Form1->Memo2->SetText(""); }, ""},
};

class CopyThenPasteTest : public ClipboardCommandsTest, public ::testing::WithParamInterface<CopyCase> {};

// Each case starts from a clipboard that holds another program's bitmap.
TEST_P(CopyThenPasteTest, CopyPlacesMemo2AloneOwnedByTheMainWindowAndPasteBringsItBack) {
    const CopyCase& c = GetParam();
    ASSERT_TRUE(BitmapPlacedByAnotherProcess());
    c.prepare();
    if (HasFatalFailure()) return;
    MessageBoxRecorder boxes;

    Copy();
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(c.text + '\0'));
    EXPECT_EQ(GetClipboardOwner(), Form1->Handle());
    const std::vector<UINT> formats = Formats();
    EXPECT_THAT(formats, ::testing::Contains(UINT{CF_TEXT}));
    EXPECT_THAT(formats, ::testing::Each(::testing::Truly(IsTextOrMadeFromIt)));
    EXPECT_EQ(Form1->Memo2->Text(), c.text);

    Form1->Memo1->SetText("earlier text in Memo1, longer than any case\r\n");
    Paste();
    EXPECT_EQ(Hex(Form1->Memo1->Text()), Hex(c.text));
    EXPECT_EQ(Form1->Memo2->Text(), c.text);
    EXPECT_THAT(boxes.Shown(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Texts, CopyThenPasteTest, ::testing::ValuesIn(kCopyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClipboardCommandsTest, PasteReplacesTheWholeTextInOneStepAndLeavesTheSameTextUntouched) {
    Form1->Memo2->SetText("pasted\r\ntwice\r\n");
    Copy();
    Form1->Memo1->SetText("old text, longer than the new one\r\nand a second line\r\n");
    {
        Memo1Edits edits;
        Paste();
        EXPECT_THAT(edits.Seen(), ElementsAre(UINT{WM_SETTEXT}));
    }
    EXPECT_EQ(Form1->Memo1->Text(), "pasted\r\ntwice\r\n");

    SendMessageA(Form1->Memo1->Handle(), EM_SETSEL, 2, 9);
    {
        Memo1Edits edits;
        Paste();
        EXPECT_THAT(edits.Seen(), IsEmpty());
    }
    EXPECT_EQ(Form1->Memo1->Text(), "pasted\r\ntwice\r\n");
    DWORD start = 0, end = 0;
    SendMessageA(Form1->Memo1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 9u);
}

TEST_F(ClipboardCommandsTest, HeldOpenByAnotherProgramPasteEmptiesMemo1CopyChangesNothingNeitherShows) {
    Form1->Memo2->SetText("earlier");
    Copy();
    Form1->Memo1->SetText("kept?");
    Form1->Memo2->SetText("new");
    MessageBoxRecorder boxes;
    {
        PeerHoldingTheClipboard peer;
        ASSERT_TRUE(peer.Holds());
        Paste();
        Copy();
        ASSERT_TRUE(peer.Release());
    }
    EXPECT_EQ(Form1->Memo1->Text(), "");
    EXPECT_EQ(Form1->Memo2->Text(), "new");
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(std::string("earlier", 8)));
    EXPECT_THAT(boxes.Shown(), IsEmpty());
}

TEST_F(ClipboardCommandsTest, BitmapOnlyPasteEmptiesMemo1AndShowsNothing) {
    ASSERT_TRUE(BitmapPlacedByAnotherProcess());
    Form1->Memo1->SetText("kept?");
    MessageBoxRecorder boxes;
    Paste();
    EXPECT_EQ(Form1->Memo1->Text(), "");
    EXPECT_THAT(boxes.Shown(), IsEmpty());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

// Text of over a megabyte; allocations of a megabyte fail while the command runs.
TEST_F(ClipboardCommandsTest, WantOfMemoryLeavesMemo1AndTheClipboardAsTheyWereAndIsShown) {
    std::string large;
    while (large.size() <= 1 << 20) large += "1\t720\t560\t2\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tPart\tD\r\n";
    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Form1->Handle(), large));
    Form1->Memo1->SetText("kept");
    Form1->Memo2->SetText(large);
    MessageBoxRecorder boxes;
    {
        FailingAllocation failing(1 << 20);
        Paste();
    }
    EXPECT_EQ(Form1->Memo1->Text(), "kept");

    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Form1->Handle(), "earlier"));
    {
        FailingAllocation failing(1 << 20);
        Copy();
    }
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(std::string("earlier", 8)));

    ASSERT_EQ(boxes.Shown().size(), 2u);
    for (const ShownBox& box : boxes.Shown()) {
        EXPECT_EQ(box.text, "Out of memory.");
        EXPECT_EQ(box.flags, UINT{MB_OK | MB_ICONERROR});
    }
}

}  // namespace
