// The real Dovrin.exe (DOVRIN_EXE) started as a person starts it, with every
// show command a shortcut or a launcher can give: which windows it shows and
// owns, what stands for it on the taskbar, and exit code 0 when its main
// window is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[128] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 20s)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A started Dovrin.exe; ended by force if a test leaves it running.
class Program {
public:
    explicit Program(int showCommand)
    {
        const wchar_t* path = _wgetenv(L"DOVRIN_EXE");
        EXPECT_NE(path, nullptr) << "DOVRIN_EXE names the program";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
        std::wstring command = L"\"" + std::wstring(path ? path : L"") + L"\"";
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != FALSE;
        EXPECT_TRUE(started_);
    }
    ~Program()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    // The program's top-level windows.
    std::vector<HWND> Windows() const
    {
        Search search{process_.dwProcessId, {}};
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND Window(const wchar_t* className) const
    {
        for (HWND window : Windows())
            if (ClassOf(window) == className)
                return window;
        return nullptr;
    }

    // Closes the main window as its close box does and waits for the end.
    DWORD CloseAndWait()
    {
        PostMessageW(Window(L"TForm1"), WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    };
    static BOOL CALLBACK Collect(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == search->process)
            search->found.push_back(window);
        return TRUE;
    }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

HWND ChildWithText(HWND parent, const std::wstring& text)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (TextOf(child) == text)
            return child;
    return nullptr;
}

TEST(StartupTest, ShowsOnlyTheMainWindowAndTheTaskbarEntryDovrin)
{
    Program program(SW_SHOWNORMAL);
    ASSERT_TRUE(WaitFor([&] {
        return IsWindowVisible(program.Window(L"TForm1")) && IsWindowVisible(program.Window(L"TApplication"));
    }));
    HWND application = program.Window(L"TApplication");
    HWND main = program.Window(L"TForm1");
    HWND help = program.Window(L"TForm2");
    ASSERT_NE(help, nullptr) << "the help window is created at start";
    EXPECT_FALSE(IsWindowVisible(help));
    EXPECT_FALSE(IsZoomed(main));

    std::vector<HWND> unownedVisible;
    for (HWND window : program.Windows()) {
        if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER))
            unownedVisible.push_back(window);
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0) << ClassOf(window).c_str();
    }
    ASSERT_EQ(unownedVisible.size(), 1u) << "one taskbar button";
    EXPECT_EQ(unownedVisible[0], application);
    EXPECT_EQ(TextOf(application), L"Dovrin");
    EXPECT_EQ(GetWindow(main, GW_OWNER), application);
    EXPECT_EQ(GetWindow(help, GW_OWNER), application);

    // Closing the main window while the help window is open ends the program.
    SendMessageW(ChildWithText(main, L"\x041F\x043E\x043C\x043E\x0449\x044C"), BM_CLICK, 0, 0);  // "Помощь"
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(help) != FALSE; }));
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

enum class Opens { Normal, Maximised, Minimised };

struct ShowCase {
    int command;
    Opens opens;
};

// Every show command a shortcut or a launcher can give.
const ShowCase kShowCases[] = {
    {SW_HIDE, Opens::Normal},           {SW_SHOWNORMAL, Opens::Normal},      {SW_SHOWMINIMIZED, Opens::Normal},
    {SW_SHOWMAXIMIZED, Opens::Maximised}, {SW_SHOWNOACTIVATE, Opens::Normal}, {SW_SHOW, Opens::Normal},
    {SW_MINIMIZE, Opens::Normal},       {SW_SHOWMINNOACTIVE, Opens::Minimised}, {SW_SHOWNA, Opens::Normal},
    {SW_RESTORE, Opens::Normal},        {SW_SHOWDEFAULT, Opens::Normal},     {SW_FORCEMINIMIZE, Opens::Normal},
};

class ShowCommandTest : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowCommandTest, OpensAsTheShowCommandSays)
{
    const ShowCase& c = GetParam();
    Program program(c.command);
    ASSERT_TRUE(WaitFor([&] {
        HWND application = program.Window(L"TApplication");
        return IsWindowVisible(program.Window(L"TForm1")) || (application && IsIconic(application));
    }));
    HWND application = program.Window(L"TApplication");
    HWND main = program.Window(L"TForm1");
    // A moment for a late change of state to show.
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(IsWindowVisible(application));
    switch (c.opens) {
    case Opens::Normal:
    case Opens::Maximised:
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_FALSE(IsIconic(main));
        EXPECT_FALSE(IsIconic(application));
        EXPECT_EQ(IsZoomed(main) != FALSE, c.opens == Opens::Maximised);
        break;
    case Opens::Minimised:
        // Only the taskbar button; the button restores the main window.
        EXPECT_TRUE(IsIconic(application));
        EXPECT_FALSE(IsWindowVisible(main));
        PostMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
        EXPECT_FALSE(IsZoomed(main));
        break;
    }
    EXPECT_EQ(program.CloseAndWait(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Commands, ShowCommandTest, ::testing::ValuesIn(kShowCases),
                         [](const ::testing::TestParamInfo<ShowCase>& info) {
                             return "SW_" + std::to_string(info.param.command);
                         });

}  // namespace
