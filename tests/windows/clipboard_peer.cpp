// Another program on the clipboard, for the tests of the clipboard text transfer.
//   clipboard_peer dump               prints the CF_TEXT block's bytes in hex, or "none"
//   clipboard_peer hold HELD RELEASE  opens the clipboard with a window of its own, signals
//                                     the named event HELD, closes it once RELEASE is signalled
//   clipboard_peer bitmap             leaves a bitmap alone on the clipboard
// Exits with 0 when it did what it was asked.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "clipboard_wait.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

HWND NewWindow() {
    return CreateWindowExW(0, L"STATIC", L"clipboard peer", 0, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Wine's own clipboard manager may have the clipboard open for a moment.
bool OpenWithin(HWND window, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!OpenClipboard(window)) {
        if (GetTickCount64() >= deadline) return false;
        WaitWithMessages({}, 10);
    }
    return true;
}

int Dump() {
    if (!OpenWithin(nullptr, kTimeoutMs)) return 1;
    HANDLE block = GetClipboardData(CF_TEXT);
    if (!block) {
        std::puts("none");
    } else {
        const SIZE_T size = GlobalSize(block);
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
        for (SIZE_T i = 0; bytes && i < size; ++i) std::printf("%02x", bytes[i]);
        std::puts("");
        GlobalUnlock(block);
    }
    CloseClipboard();
    return 0;
}

int Hold(const char* heldName, const char* releaseName) {
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, heldName);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, releaseName);
    HWND window = NewWindow();
    if (!held || !release || !window || !OpenWithin(window, kTimeoutMs)) return 1;
    SetEvent(held);
    const bool released = WaitWithMessages({release}, kTimeoutMs) == 0;
    CloseClipboard();
    return released ? 0 : 1;
}

int Bitmap() {
    HWND window = NewWindow();
    if (!window || !OpenWithin(window, kTimeoutMs)) return 1;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr)) != nullptr;
    CloseClipboard();
    return placed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "dump") == 0) return Dump();
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2], argv[3]);
    if (argc == 2 && std::strcmp(argv[1], "bitmap") == 0) return Bitmap();
    std::fputs("usage: clipboard_peer dump | hold HELD RELEASE | bitmap\n", stderr);
    return 1;
}
