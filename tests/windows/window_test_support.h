#pragma once

// Driving the framework's windows from inside a test program the way a person
// would (button clicks, keys) while the test handles the messages through the
// application's own loop, and seeing the message boxes it would show.

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/platform.h"
#include "framework/wide_text.h"

namespace window_test {

using namespace std::chrono_literals;

// Handles this thread's messages through the application's loop until the
// condition holds or the deadline passes; returns the condition's last value.
inline bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 5s)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (true) {
        Application.ProcessMessages();
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Handles every message that is waiting now.
inline void Pump()
{
    Application.ProcessMessages();
}

// A window's caption as UTF-16, for comparison with Widen(u8"...").
inline std::wstring Caption(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Clicks a button as BM_CLICK does, then handles what the click left waiting.
inline void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
}

// Presses and releases keys through the system's input queue, so they reach
// the focused control through the message loop and its dialog manager, with
// the keyboard state (Shift) as a person's keys leave it.
inline void PressKeys(std::initializer_list<WORD> chord)
{
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = chord.end(); key != chord.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Settled when the last key-up has been taken from the queue.
    PumpUntil([] { return !GetQueueStatus(QS_KEY); }, 2s);
    Pump();
}

// A message box the program would have shown, and what held while it showed.
struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
    std::vector<HWND> enabledWindows;  // this thread's visible top-level windows still enabled
    HWND capture;
};

// Records message boxes instead of showing them, for its lifetime.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() : saved_(Platform.messageBox)
    {
        Boxes().clear();
        Platform.messageBox = &Record;
    }
    ~MessageBoxRecorder() { Platform.messageBox = saved_; }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<ShownBox>& Shown() const { return Boxes(); }

private:
    static std::vector<ShownBox>& Boxes()
    {
        static std::vector<ShownBox> boxes;
        return boxes;
    }
    static BOOL CALLBACK NoteEnabled(HWND window, LPARAM windows)
    {
        if (IsWindowVisible(window) && IsWindowEnabled(window))
            reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    }
    static int WINAPI Record(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
    {
        ShownBox box{owner, text ? text : "", caption ? caption : "", flags, {}, GetCapture()};
        EnumThreadWindows(GetCurrentThreadId(), NoteEnabled, reinterpret_cast<LPARAM>(&box.enabledWindows));
        Boxes().push_back(box);
        return IDOK;
    }

    decltype(PlatformCalls::messageBox) saved_;
};

}  // namespace window_test
