// The clipboard text transfer on the real clipboard, with a hidden window as
// owner and another process (clipboard_peer) reading, holding or filling it.
// Needs a display: windows cannot be created without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "clipboard/clipboard_text.h"
#include "clipboard/win32_clipboard.h"
#include "clipboard_wait.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

std::string PeerCommand(const std::string& arguments) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command(path, length);
    command.erase(command.find_last_of('\\') + 1);
    return '"' + command + "clipboard_peer.exe\" " + arguments;
}

// A clipboard_peer process; the destructor waits for its end.
class Peer {
public:
    Peer(const std::string& arguments, HANDLE output) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (output) {
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdOutput = output;
            startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        }
        std::string command = PeerCommand(arguments);
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
        if (started_) CloseHandle(process_.hThread);
    }
    ~Peer() {
        if (!started_) return;
        WaitWithMessages({process_.hProcess}, kTimeoutMs);
        CloseHandle(process_.hProcess);
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    bool Started() const { return started_; }
    HANDLE Process() const { return process_.hProcess; }

    // True when the peer ended within the timeout, successfully.
    bool Succeeded() {
        DWORD code = 1;
        return WaitWithMessages({process_.hProcess}, kTimeoutMs) == 0 &&
               GetExitCodeProcess(process_.hProcess, &code) && code == 0;
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

// What another process finds on the clipboard: the CF_TEXT block's bytes in
// hex, "none" without text, or "failed".
std::string TextSeenByAnotherProcess() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 1 << 16)) return "failed";
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    bool succeeded;
    {
        Peer peer("dump", write);
        CloseHandle(write);
        succeeded = peer.Started() && peer.Succeeded();
    }
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    CloseHandle(read);
    if (!succeeded) return "failed";
    output.erase(output.find_last_not_of("\r\n") + 1);
    return output;
}

// A clipboard_peer that holds the clipboard open until the end of the scope.
class PeerHoldingTheClipboard {
public:
    PeerHoldingTheClipboard()
        : held_(NewEvent("held")), release_(NewEvent("release")),
          peer_("hold " + Name("held") + ' ' + Name("release"), nullptr) {}
    ~PeerHoldingTheClipboard() {
        SetEvent(release_);
        CloseHandle(release_);
        CloseHandle(held_);
    }

    // True once the peer holds the clipboard open.
    bool Holds() {
        return peer_.Started() && WaitWithMessages({held_, peer_.Process()}, kTimeoutMs) == 0;
    }

    // Lets the peer close the clipboard; true when it did so and ended.
    bool Release() {
        SetEvent(release_);
        return peer_.Succeeded();
    }

private:
    static std::string Name(const char* what) {
        return "DovrinClipboardPeer-" + std::string(what) + '-' + std::to_string(GetCurrentProcessId());
    }
    static HANDLE NewEvent(const char* what) { return CreateEventA(nullptr, TRUE, FALSE, Name(what).c_str()); }

    HANDLE held_;
    HANDLE release_;
    Peer peer_;
};

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
    ASSERT_TRUE(Peer("bitmap", nullptr).Succeeded());
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

    std::string text;
    EXPECT_FALSE(ReadClipboardText(Win32Clipboard(), Owner(), text));
    EXPECT_EQ(text, "");

    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Owner(), "x"));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(TextSeenByAnotherProcess(), Hex(std::string("x", 2)));
}

}  // namespace
