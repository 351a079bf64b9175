// The help window as the Help button shows it: its first place over the main
// window, its frame and text (byte for byte against fixtures/help_text.txt),
// one window that comes to the front with the focus in the text, place and
// selection kept across closing, a text that typing cannot change but that
// can be selected and copied, and a main window that stays usable.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app_fixture.h"
#include "clipboard/clipboard_text.h"
#include "clipboard/win32_clipboard.h"
#include "framework/window_face.h"

namespace {

using namespace app_fixture;

// The fixture as stored: UTF-8, lines separated by CR LF.
std::u8string FixtureText()
{
    std::ifstream file(DOVRIN_HELP_TEXT, std::ios::binary);
    EXPECT_TRUE(file) << DOVRIN_HELP_TEXT;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return {bytes.begin(), bytes.end()};
}

std::string ToCp1251(const std::wstring& text)
{
    const int size = WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

HWND Help()
{
    return Form2->Handle();
}

HWND HelpText()
{
    return Form2->Memo1->Handle();
}

// Every test that shows the help window does it through the Help button.
bool helpShownBefore = false;

void ClickHelp()
{
    helpShownBefore = true;
    Click(Form1->Button4->Handle());
}

bool Active(HWND window)
{
    return PumpUntil([window] { return GetActiveWindow() == window; });
}

RECT WindowRect(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

std::pair<DWORD, DWORD> Selection(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// This thread's top-level windows of a class.
struct ClassSearch {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK NoteWindowOfClass(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ClassSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name) == search->className)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOfClass(const wchar_t* className)
{
    ClassSearch search{className, {}};
    EnumThreadWindows(GetCurrentThreadId(), NoteWindowOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True when upper lies above lower in the window stack.
bool Above(HWND upper, HWND lower)
{
    for (HWND window = GetWindow(lower, GW_HWNDPREV); window; window = GetWindow(window, GW_HWNDPREV))
        if (window == upper)
            return true;
    return false;
}

void MouseClick(POINT at)
{
    INPUT inputs[3] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the screen.
    inputs[0].mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    inputs[0].mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    PumpUntil([] { return !GetQueueStatus(QS_MOUSE); }, 2s);
    Pump();
}

class HelpWindowTest : public AppTest {};

// Runs first: only the first showing places the window.
TEST_F(HelpWindowTest, FirstShowingCentresOverTheMovedMainWindowAndClampsToZero)
{
    if (helpShownBefore)
        GTEST_SKIP() << "an earlier test showed the help window first";
    // The main window moved partly off the left of the screen.
    SetWindowPos(Form1->Handle(), nullptr, -300, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT main = WindowRect(Form1->Handle());
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    const RECT help = WindowRect(Help());
    const int width = help.right - help.left;
    const int height = help.bottom - help.top;
    EXPECT_EQ(help.left, 0) << "-300 + (885 - " << width << ") div 2 is negative";
    EXPECT_EQ(help.top, main.top + (main.bottom - main.top - height) / 2);
    SetWindowPos(Form1->Handle(), nullptr, 197, 202, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

TEST_F(HelpWindowTest, TextIsTheFixtureByteForByte)
{
    const std::wstring expected = Widen(FixtureText());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Caption(HelpText()), expected);
    // In the text area as Windows-1251 bytes, which is what copying hands on.
    EXPECT_EQ(Form2->Memo1->Text(), ToCp1251(expected));
    EXPECT_EQ(SendMessageW(HelpText(), EM_GETLINECOUNT, 0, 0), 19) << "every line fits the width unwrapped";
    if (std::wstring_view(WindowFontFace()) != L"MS Sans Serif")
        return;
    // Nineteen lines of the 12-point face (20 pixels each) are more than the
    // area's 369 pixels show: the last line scrolls into view with the caret.
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    PressKeys({VK_CONTROL, VK_END});
    EXPECT_GT(SendMessageW(HelpText(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    PressKeys({VK_CONTROL, VK_HOME});
    EXPECT_EQ(SendMessageW(HelpText(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(HelpWindowTest, FixedDialogFrameWithoutIcon)
{
    const auto style = static_cast<DWORD>(GetWindowLongW(Help(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(Help(), GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), DWORD{WS_CAPTION | WS_SYSMENU});
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u) << "not resizable, no min/max";
    EXPECT_EQ(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_TOPMOST), DWORD{WS_EX_DLGMODALFRAME});
    EXPECT_EQ(GetWindow(Help(), GW_OWNER), Application.Handle()) << "owned as the main window is";
    EXPECT_EQ(Caption(Help()), Widen(u8"Помощь"));
    EXPECT_EQ(GetClassLongPtrW(Help(), GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    RECT client;
    GetClientRect(Help(), &client);
    EXPECT_EQ(client.right, 737);
    EXPECT_EQ(client.bottom, 391);

    // No icon of its own and none from its class, which Wine would draw.
    for (WPARAM kind : {ICON_SMALL, ICON_BIG, ICON_SMALL2})
        EXPECT_EQ(SendMessageW(Help(), WM_GETICON, kind, 0), 0) << kind;
    EXPECT_EQ(GetClassLongPtrW(Help(), GCLP_HICON), 0u);
    EXPECT_EQ(GetClassLongPtrW(Help(), GCLP_HICONSM), 0u);

    // The system menu offers Move and Close only.
    HMENU menu = GetSystemMenu(Help(), FALSE);
    std::set<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (const UINT id = GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1))
            commands.insert(id);
    commands.erase(SC_SCREENSAVE + 1);  // Wine's own "About Wine"
    EXPECT_EQ(commands, (std::set<UINT>{SC_MOVE, SC_CLOSE}));

    // The frame's edges and corners do not size it.
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    const RECT r = WindowRect(Help());
    const POINT edges[] = {{r.left, r.top},      {r.right - 1, r.bottom - 1}, {r.left, (r.top + r.bottom) / 2},
                           {r.right - 1, r.top}, {(r.left + r.right) / 2, r.bottom - 1}};
    for (const POINT& p : edges) {
        const auto hit = SendMessageW(Help(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        EXPECT_FALSE(hit >= HTLEFT && hit <= HTBOTTOMRIGHT) << p.x << "," << p.y << ": " << hit;
    }
}

TEST_F(HelpWindowTest, TextAreaAsTheWindowDescribesIt)
{
    RECT r = WindowRect(HelpText());
    MapWindowPoints(nullptr, Help(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 8);
    EXPECT_EQ(r.right - r.left, 721);
    EXPECT_EQ(r.bottom - r.top, 369);

    const auto style = static_cast<DWORD>(GetWindowLongW(HelpText(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(HelpText(), GWL_EXSTYLE));
    EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_TABSTOP), DWORD{ES_MULTILINE | ES_READONLY | WS_TABSTOP});
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | WS_BORDER), 0u) << "no scroll bars, word wrap";
    EXPECT_EQ(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0u) << "no border";
    EXPECT_TRUE(IsWindowUnicode(HelpText())) << "the program's own text, right on every code page";

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(HelpText(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, WindowFontFace());
    EXPECT_EQ(font.lfCharSet, RUSSIAN_CHARSET);

    // A read-only edit asks its window for the colours of a static control:
    // the window-text colour on the window's own button face.
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(Help(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(HelpText()));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    DeleteDC(dc);
}

TEST_F(HelpWindowTest, HelpTwiceGivesOneWindowInFrontWithTheFocusInTheText)
{
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    EXPECT_EQ(GetFocus(), HelpText());

    // Behind the main window, then Help again.
    Form1->BringToFront();
    ASSERT_TRUE(Active(Form1->Handle()));
    EXPECT_TRUE(Above(Form1->Handle(), Help()));
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    EXPECT_TRUE(Above(Help(), Form1->Handle()));
    EXPECT_EQ(GetFocus(), HelpText());
    EXPECT_EQ(WindowsOfClass(L"TForm2"), std::vector<HWND>{Help()});
    EXPECT_TRUE(Form1->Visible()) << "the main window stays";
}

TEST_F(HelpWindowTest, ClosedThenShownAgainWhereItWasWithItsSelection)
{
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    // Moved as the user would drag it, a selection made, then closed by Alt+F4.
    SetWindowPos(Help(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(HelpText(), EM_SETSEL, 3, 20);
    const std::wstring text = Caption(HelpText());
    PressKeys({VK_MENU, VK_F4});
    ASSERT_TRUE(PumpUntil([] { return !Form2->Visible(); }));
    EXPECT_TRUE(IsWindow(Help())) << "hidden, not destroyed";
    EXPECT_TRUE(Active(Form1->Handle()));
    EXPECT_TRUE(Form1->Visible()) << "closing help leaves the program running";

    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    const RECT r = WindowRect(Help());
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(Selection(HelpText()), (std::pair<DWORD, DWORD>{3, 20}));
    EXPECT_EQ(GetFocus(), HelpText());
    EXPECT_EQ(Caption(HelpText()), text);
    EXPECT_EQ(WindowsOfClass(L"TForm2"), std::vector<HWND>{Help()});
}

TEST_F(HelpWindowTest, TypingChangesNothingSelectAllAndCopyWork)
{
    ClickHelp();
    ASSERT_TRUE(Active(Help()));
    ASSERT_EQ(GetFocus(), HelpText());
    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Form1->Handle(), "pasted"));
    const std::string before = Form2->Memo1->Text();

    SendMessageW(HelpText(), EM_SETSEL, 5, 10);
    PressKeys({'X'});
    PressKeys({VK_SPACE});
    PressKeys({VK_RETURN});
    PressKeys({VK_BACK});
    PressKeys({VK_DELETE});
    PressKeys({VK_CONTROL, 'V'});
    PressKeys({VK_CONTROL, 'X'});
    PressKeys({VK_CONTROL, 'Z'});
    for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO})
        SendMessageW(HelpText(), message, 0, 0);
    EXPECT_EQ(Form2->Memo1->Text(), before);
    EXPECT_TRUE(Form2->Visible()) << "no key closes it";

    // Select all, then copy, as the keys do it.
    PressKeys({VK_CONTROL, 'A'});
    EXPECT_EQ(Selection(HelpText()), (std::pair<DWORD, DWORD>{0, static_cast<DWORD>(before.size())}));
    PressKeys({VK_CONTROL, 'C'});
    std::string copied;
    EXPECT_TRUE(ReadClipboardText(Win32Clipboard(), Form1->Handle(), copied));
    EXPECT_EQ(copied, ToCp1251(Widen(FixtureText())));

    // The same through the messages.
    ASSERT_TRUE(WriteClipboardText(Win32Clipboard(), Form1->Handle(), "pasted"));
    SendMessageW(HelpText(), EM_SETSEL, 0, -1);
    SendMessageW(HelpText(), WM_COPY, 0, 0);
    copied.clear();
    EXPECT_TRUE(ReadClipboardText(Win32Clipboard(), Form1->Handle(), copied));
    EXPECT_EQ(copied, before);
}

TEST_F(HelpWindowTest, MainWindowTakesClicksAndKeysWhileHelpIsOpen)
{
    ClickHelp();
    ASSERT_TRUE(Active(Help()));

    // Process, clicked while the help window is in front.
    Form1->Memo1->SetText("A\tB\tC\tD\tE\tF\tG");
    Click(Form1->Button1->Handle());
    EXPECT_EQ(Form1->Memo2->Text(), "1\tB\tD\tG\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tA\tD\r\n");
    EXPECT_TRUE(Form2->Visible());

    // A click with the mouse on a part of the main window that the help window
    // leaves uncovered brings the main window above it; keys then go there.
    SetWindowPos(Form1->Handle(), nullptr, 197, 202, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowPos(Help(), nullptr, 400, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT memo = WindowRect(Form1->Memo1->Handle());
    const POINT at{memo.left + 10, memo.top + 20};
    ASSERT_EQ(WindowFromPoint(at), Form1->Memo1->Handle()) << "a point the help window does not cover";
    Form1->Memo1->SetText("");
    MouseClick(at);
    ASSERT_TRUE(Active(Form1->Handle()));
    EXPECT_TRUE(Above(Form1->Handle(), Help()));
    EXPECT_TRUE(Form2->Visible());
    PressKeys({'K'});
    EXPECT_EQ(Form1->Memo1->Text(), "k");
}

}  // namespace
