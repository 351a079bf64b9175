// The clipboard text transfer on the real clipboard, with a hidden window as
// owner and another process (clipboard_peer) reading, holding or filling it.
// Needs a display: windows cannot be created without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "clipboard/clipboard_text.h"
#include "clipboard/win32_clipboard.h"
#include "clipboard_peer_process.h"

namespace {

class ClipboardWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"Dovrin clipboard test", 0, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr) << "no window: is there a display?";
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }

    WindowHandle Owner() const { return window_; }

    HWND window_ = nullptr;
};

class ClipboardRoundTripTest : public ClipboardWin32Test, public ::testing::WithParamInterface<std::string> {};

TEST_P(ClipboardRoundTripTest, TextWrittenIsReadBackExactly) {
    const std::string& written = GetParam();
    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Owner(), written));
    EXPECT_EQ(GetClipboardOwner(), window_);

    std::string read;
    EXPECT_TRUE(ReadClipboardText(Win32Clipboard(), Owner(), read));
    EXPECT_EQ(Hex(read), Hex(written));
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(written + '\0'));
}

INSTANTIATE_TEST_SUITE_P(Texts, ClipboardRoundTripTest,
                         ::testing::Values(std::string("a\r\nb\r\n"),
                                           std::string("\xc4\xf1\xef\x20\xc1\xee\xea\t600\t400\r\n"),  // Cyrillic, 1251
                                           std::string("LF\nonly\n"), std::string()));

TEST_F(ClipboardWin32Test, HeldOpenByAnotherProcessNothingIsReadOrWritten) {
    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Owner(), "earlier"));
    {
        PeerHoldingTheClipboard peer;
        ASSERT_TRUE(peer.Holds());

        std::string text;
        EXPECT_FALSE(ReadClipboardText(Win32Clipboard(), Owner(), text));
        EXPECT_EQ(text, "");
        EXPECT_FALSE(WriteClipboardText(Win32Clipboard(), Owner(), "new"));
        ASSERT_TRUE(peer.Release());
    }
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(std::string("earlier", 8)));
}

TEST_F(ClipboardWin32Test, BitmapOnlyGivesNoTextAndWritingDropsIt) {
    ASSERT_TRUE(BitmapPlacedByAnotherProcess());
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

    std::string text;
    EXPECT_FALSE(ReadClipboardText(Win32Clipboard(), Owner(), text));
    EXPECT_EQ(text, "");

    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Owner(), "x"));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(std::string("x", 2)));
}

}  // namespace
