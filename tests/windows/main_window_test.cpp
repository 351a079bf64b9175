// The main window as the program shows it: every control's place, text, font,
// colour and styles in one table, the tab order walked with real keys, the
// keys that must do nothing, the link and its tooltip, scroll bars and
// maximising. Process has process_test.cpp.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app_fixture.h"
#include "framework/window_face.h"
#include "framework/placement.h"

namespace {

using namespace app_fixture;

RECT RectInForm(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, Form1->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTW FontOf(HWND window)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// What the label's text covers when drawn: its extent, and the extra column of
// a bold made from a regular bitmap face.
SIZE TextExtent(HWND window)
{
    const std::wstring text = Caption(window);
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return {extent.cx + metrics.tmOverhang, metrics.tmHeight};
}

// The colours the window gives the control when the control paints.
struct Painted {
    COLORREF text;
    COLORREF background;
};
Painted PaintColours(HWND control, UINT message)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(GetParent(control), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const Painted painted{GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return painted;
}

enum class Kind { Label, Memo, Edit, CheckBox, Button, GroupBox };

struct Look {
    const char* name;
    HWND (*window)();
    Kind kind;
    Bounds bounds;  // in the window's client area
    const char8_t* text;
    int fontHeight;
    bool bold;
    std::optional<COLORREF> colour;  // none: the system's window-text colour
    DWORD styles;                    // all of these ...
    DWORD noStyles;                  // ... and none of these
};

constexpr DWORD kMemoStyles = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
// No horizontal scrolling of either kind: lines wrap.
constexpr DWORD kMemoNoStyles = WS_HSCROLL | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kLabelStyles = SS_NOPREFIX;
constexpr DWORD kLabelNoStyles = SS_NOTIFY | WS_TABSTOP;

const Look kLooks[] = {
    {"Label2", [] { return Form1->Label2->Handle(); }, Kind::Label, {16, 8, 117, 13}, u8"Данные из PRO100", -11, true, {}, kLabelStyles, kLabelNoStyles},
    {"Label4", [] { return Form1->Label4->Handle(); }, Kind::Label, {248, 8, 306, 13}, u8"PRO100 -> Инструменты -> Отчеты и расчеты -> Копировать", -11, false, {}, kLabelStyles, kLabelNoStyles},
    {"Memo1", [] { return Form1->Memo1->Handle(); }, Kind::Memo, {8, 24, 713, 264}, u8"", -11, false, {}, kMemoStyles, kMemoNoStyles},
    {"Label3", [] { return Form1->Label3->Handle(); }, Kind::Label, {16, 296, 195, 13}, u8"Данные для переноса в Cutting3", -11, true, {}, kLabelStyles, kLabelNoStyles},
    {"Label5", [] { return Form1->Label5->Handle(); }, Kind::Label, {248, 296, 374, 13}, u8"Cutting3 -> Таблица деталей -> Основные функции -> Добавить из буфера", -11, false, {}, kLabelStyles, kLabelNoStyles},
    {"Memo2", [] { return Form1->Memo2->Handle(); }, Kind::Memo, {8, 312, 713, 264}, u8"", -11, false, {}, kMemoStyles, kMemoNoStyles},
    {"GroupBox1", [] { return Form1->GroupBox1->Handle(); }, Kind::GroupBox, {728, 8, 145, 193}, u8"Управление", -11, true, {}, 0, WS_TABSTOP},
    {"Label1", [] { return Form1->Label1->Handle(); }, Kind::Label, {738, 25, 95, 13}, u8"Номер материала:", -11, false, {}, kLabelStyles, kLabelNoStyles},
    {"Edit1", [] { return Form1->Edit1->Handle(); }, Kind::Edit, {840, 24, 25, 17}, u8"1", -11, false, {}, ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE | ES_NUMBER | ES_READONLY | ES_RIGHT},
    {"CheckBox1", [] { return Form1->CheckBox1->Handle(); }, Kind::CheckBox, {736, 48, 105, 17}, u8"Вращать детали", -11, false, {}, WS_TABSTOP, BS_LEFTTEXT | BS_RIGHTBUTTON},
    {"Button2", [] { return Form1->Button2->Handle(); }, Kind::Button, {736, 72, 129, 25}, u8"Вставить из буфера", -11, false, {}, WS_TABSTOP, 0},
    {"Button1", [] { return Form1->Button1->Handle(); }, Kind::Button, {736, 104, 129, 25}, u8"Обратотать", -11, false, {}, WS_TABSTOP, 0},
    {"Button3", [] { return Form1->Button3->Handle(); }, Kind::Button, {736, 136, 129, 25}, u8"Копировать в буфер", -11, false, {}, WS_TABSTOP, 0},
    {"Button4", [] { return Form1->Button4->Handle(); }, Kind::Button, {736, 168, 129, 25}, u8"Помощь", -11, false, {}, WS_TABSTOP, 0},
    {"Label6", [] { return Form1->Label6->Handle(); }, Kind::Label, {752, 560, 106, 13}, u8"dovrin.example", -11, true, RGB(0, 0, 128), kLabelStyles | SS_NOTIFY, WS_TABSTOP},
};

class MainWindowTest : public AppTest {};

TEST_F(MainWindowTest, FirstShowsCentredOnTheScreenWithTheHelpWindowHidden)
{
    RECT r;
    GetWindowRect(Form1->Handle(), &r);
    const Point expected = CentredOrigin({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, 885, 619);
    EXPECT_EQ(r.left, expected.x);
    EXPECT_EQ(r.top, expected.y);
    EXPECT_EQ(r.right - r.left, 885);
    EXPECT_EQ(r.bottom - r.top, 619);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(MainWindowTest, FrameCaptionAndOwner)
{
    HWND form = Form1->Handle();
    const auto style = static_cast<DWORD>(GetWindowLongW(form, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(form, GWL_EXSTYLE));
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, DWORD{WS_OVERLAPPEDWINDOW});
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0u) << "the application window stands for the program on the taskbar";
    EXPECT_EQ(GetWindow(form, GW_OWNER), Application.Handle());
    EXPECT_EQ(GetMenu(form), nullptr);
    EXPECT_EQ(Caption(form), Widen(u8"PRO100 to Cutting 3 converter Dovrin (https://dovrin.example/)"));
    EXPECT_EQ(GetClassLongPtrW(form, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
}

TEST_F(MainWindowTest, ControlsAsTheTableSays)
{
    // The table's label sizes are what the texts measure in "MS Sans Serif";
    // with a substitute face the labels still fit their texts exactly.
    const bool designFace = std::wstring_view(WindowFontFace()) == L"MS Sans Serif";
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        HWND window = look.window();
        const RECT r = RectInForm(window);
        EXPECT_EQ(r.left, look.bounds.left);
        EXPECT_EQ(r.top, look.bounds.top);
        // Label6 carries our own address, not the one the table measured.
        if (look.kind != Kind::Label || (designFace && std::string_view(look.name) != "Label6")) {
            EXPECT_EQ(r.right - r.left, look.bounds.width);
            EXPECT_EQ(r.bottom - r.top, look.bounds.height);
        }
        if (look.kind == Kind::Label) {
            const SIZE extent = TextExtent(window);
            EXPECT_EQ(r.right - r.left, extent.cx);
            EXPECT_EQ(r.bottom - r.top, extent.cy);
        }
        EXPECT_EQ(Caption(window), Widen(look.text));

        const LOGFONTW font = FontOf(window);
        EXPECT_STREQ(font.lfFaceName, WindowFontFace());
        // Captions in the face's Cyrillic letters; the text areas and the edit
        // in the ANSI code page's, like the bytes they hold.
        EXPECT_EQ(font.lfCharSet, look.kind == Kind::Memo || look.kind == Kind::Edit ? DEFAULT_CHARSET : RUSSIAN_CHARSET);
        EXPECT_EQ(font.lfHeight, look.fontHeight);
        EXPECT_EQ(font.lfWeight, look.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_FALSE(font.lfUnderline);

        const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
        EXPECT_EQ(style & look.styles, look.styles);
        EXPECT_EQ(style & look.noStyles, 0u);
        EXPECT_EQ(exStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL | WS_EX_RIGHT), 0u);
        const bool sunken = look.kind == Kind::Memo || look.kind == Kind::Edit;
        EXPECT_EQ((exStyle & WS_EX_CLIENTEDGE) != 0, sunken);

        const bool text = look.kind == Kind::Memo || look.kind == Kind::Edit;
        EXPECT_EQ(IsWindowUnicode(window) == FALSE, text) << "text areas and the edit hold ANSI bytes";
        switch (look.kind) {
        case Kind::Label: EXPECT_EQ(style & SS_TYPEMASK, DWORD{SS_LEFT}); break;
        case Kind::Button: EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_PUSHBUTTON}); break;
        case Kind::CheckBox: EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_AUTOCHECKBOX}); break;
        case Kind::GroupBox: EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_GROUPBOX}); break;
        default: break;
        }

        const UINT message = text ? WM_CTLCOLOREDIT : look.kind == Kind::Button ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
        const Painted painted = PaintColours(window, message);
        EXPECT_EQ(painted.text, look.colour.value_or(GetSysColor(COLOR_WINDOWTEXT)));
        EXPECT_EQ(painted.background, GetSysColor(text ? COLOR_WINDOW : COLOR_BTNFACE));
    }
}

TEST_F(MainWindowTest, StartsEmptyWithOneUnlimitedAndUnticked)
{
    // The fixture reset them; the limits are the ones the program set.
    for (TCustomEdit* edit : {static_cast<TCustomEdit*>(Form1->Memo1), static_cast<TCustomEdit*>(Form1->Memo2),
                              static_cast<TCustomEdit*>(Form1->Edit1)})
        EXPECT_GE(static_cast<unsigned long>(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
    EXPECT_FALSE(Form1->CheckBox1->Checked());
}

TEST_F(MainWindowTest, GroupBoxIsTheLowestControl)
{
    HWND first = GetWindow(Form1->Handle(), GW_CHILD);
    EXPECT_EQ(GetWindow(first, GW_HWNDLAST), Form1->GroupBox1->Handle());
    EXPECT_EQ(GetParent(Form1->Label1->Handle()), Form1->GroupBox1->Handle());
    EXPECT_EQ(GetParent(Form1->Edit1->Handle()), Form1->Handle());
}

TEST_F(MainWindowTest, TabWalksTheTabOrderBothWays)
{
    const std::vector<HWND> order = {Form1->Memo1->Handle(), Form1->Button1->Handle(), Form1->Memo2->Handle(),
                                     Form1->CheckBox1->Handle(), Form1->Button2->Handle(), Form1->Button3->Handle(),
                                     Form1->Edit1->Handle(), Form1->Button4->Handle()};
    SetFocus(order[0]);
    for (std::size_t step = 1; step <= order.size(); ++step) {
        PressKeys({VK_TAB});
        EXPECT_EQ(GetFocus(), order[step % order.size()]) << "Tab " << step;
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        PressKeys({VK_SHIFT, VK_TAB});
        EXPECT_EQ(GetFocus(), order[(order.size() - step) % order.size()]) << "Shift+Tab " << step;
    }
    // Reaching a button by Tab makes it no default button.
    for (TButton* button : {Form1->Button1, Form1->Button2, Form1->Button3, Form1->Button4})
        EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(MainWindowTest, EditSelectsAllWhenEnteredByKeyboardOnly)
{
    SetFocus(Form1->Button3->Handle());
    PressKeys({VK_TAB});
    ASSERT_EQ(GetFocus(), Form1->Edit1->Handle());
    DWORD start = 0, end = 0;
    SendMessageW(Form1->Edit1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 1u);

    SetFocus(Form1->Memo1->Handle());
    SendMessageW(Form1->Edit1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageW(Form1->Edit1->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
    Pump();
    ASSERT_EQ(GetFocus(), Form1->Edit1->Handle());
    SendMessageW(Form1->Edit1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end) << "a click places the caret";
}

TEST_F(MainWindowTest, KeysInTheTextAreas)
{
    const std::pair<TMemo*, HWND> memos[] = {{Form1->Memo1, Form1->Button1->Handle()},
                                             {Form1->Memo2, Form1->CheckBox1->Handle()}};
    for (const auto& [memo, next] : memos) {
        SCOPED_TRACE(memo->Name);
        memo->SetText("a\tb");
        SetFocus(memo->Handle());
        SendMessageW(memo->Handle(), EM_SETSEL, 3, 3);
        PressKeys({VK_RETURN});
        EXPECT_EQ(memo->Text(), "a\tb\r\n") << "Enter makes a line break";

        PressKeys({VK_ESCAPE});
        EXPECT_EQ(GetFocus(), memo->Handle()) << "Esc does nothing";
        EXPECT_TRUE(Form1->Visible());

        PressKeys({VK_TAB});
        EXPECT_EQ(memo->Text(), "a\tb\r\n") << "Tab inserts nothing";
        EXPECT_EQ(GetFocus(), next) << "Tab moves on";
    }
    EXPECT_FALSE(Application.Terminated());
}

TEST_F(MainWindowTest, EnterAndEscTriggerNoCommandSpaceClicksTheFocusedButton)
{
    // Enter everywhere but in the text areas, where it makes a line break; Esc
    // everywhere. A command would show here: Paste changes Memo1, Process
    // Memo2, Copy the clipboard, Help shows the help window.
    Form1->Memo1->SetText("p1\tp2");
    const DWORD clipboard = GetClipboardSequenceNumber();
    for (TControl* control : std::initializer_list<TControl*>{Form1->Memo1, Form1->Button1, Form1->Memo2,
                                                              Form1->CheckBox1, Form1->Button2, Form1->Button3,
                                                              Form1->Edit1, Form1->Button4}) {
        SCOPED_TRACE(control->Name);
        SetFocus(control->Handle());
        if (!dynamic_cast<TMemo*>(control))
            PressKeys({VK_RETURN});
        PressKeys({VK_ESCAPE});
        EXPECT_EQ(GetFocus(), control->Handle());
    }
    EXPECT_EQ(Form1->Memo1->Text(), "p1\tp2");
    EXPECT_EQ(Form1->Memo2->Text(), "");
    EXPECT_EQ(GetClipboardSequenceNumber(), clipboard);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(Form1->Edit1->Text(), "1");
    EXPECT_FALSE(Form1->CheckBox1->Checked());
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Application.Terminated());

    SetFocus(Form1->Button1->Handle());
    PressKeys({VK_SPACE});
    EXPECT_EQ(Form1->Memo2->Text(), "1\tp2\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n");
}

struct ShellCall {
    HWND owner;
    std::optional<std::string> operation, file, parameters, directory;
    INT show;
};
std::vector<ShellCall> shellCalls;

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    auto text = [](LPCSTR s) { return s ? std::optional<std::string>(s) : std::nullopt; };
    shellCalls.push_back({owner, text(operation), text(file), text(parameters), text(directory), show});
    return reinterpret_cast<HINSTANCE>(2);  // "file not found": the program shows nothing
}

TEST_F(MainWindowTest, LinkOpensTheSiteThroughTheShellAndShowsNothing)
{
    const auto saved = Platform.shellExecute;
    Platform.shellExecute = &RecordShell;
    MessageBoxRecorder boxes;
    shellCalls.clear();
    SendMessageW(Form1->Label6->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(Form1->Label6->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump();
    Platform.shellExecute = saved;

    ASSERT_EQ(shellCalls.size(), 1u);
    const ShellCall& call = shellCalls[0];
    EXPECT_EQ(call.owner, Application.Handle());
    EXPECT_EQ(call.operation, std::nullopt);
    EXPECT_EQ(call.file, "https://dovrin.example/");
    EXPECT_EQ(call.parameters, std::nullopt);
    EXPECT_EQ(call.directory, std::nullopt);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    EXPECT_TRUE(boxes.Shown().empty());
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name) == TOOLTIPS_CLASSW)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

TEST_F(MainWindowTest, OnlyTheLinkHasATooltip)
{
    // One tooltip window in the whole program, the main window's, with one tool.
    std::vector<HWND> tooltips;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltips));
    ASSERT_EQ(tooltips.size(), 1u);
    HWND tooltip = tooltips[0];
    EXPECT_EQ(GetWindow(tooltip, GW_OWNER), Form1->Handle());
    EXPECT_TRUE(GetWindowLongW(tooltip, GWL_STYLE) & TTS_ALWAYSTIP) << "shown whether or not the window is active";
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
    ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(Form1->Label6->Handle()));
    EXPECT_EQ(std::wstring(text), Widen(u8"Посетить сайт"));
}

TEST_F(MainWindowTest, ScrollBarsWhenSmallerControlsFixedWhenMaximised)
{
    HWND form = Form1->Handle();
    auto style = [form] { return static_cast<DWORD>(GetWindowLongW(form, GWL_STYLE)); };
    SetWindowPos(form, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), DWORD{WS_HSCROLL | WS_VSCROLL});

    SendMessageW(form, WM_HSCROLL, SB_LINEDOWN, 0);
    SendMessageW(form, WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump();
    const RECT scrolled = RectInForm(Form1->Memo1->Handle());
    EXPECT_EQ(scrolled.left, 8 - 8) << "one line to the right";
    EXPECT_LT(scrolled.top, 24);

    SetWindowPos(form, nullptr, 0, 0, 885, 619, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), 0u);
    EXPECT_EQ(RectInForm(Form1->Memo1->Handle()).top, 24) << "back in place once everything fits";

    ShowWindow(form, SW_MAXIMIZE);
    Pump();
    EXPECT_TRUE(IsZoomed(form));
    for (const Look& look : kLooks) {
        const RECT r = RectInForm(look.window());
        EXPECT_EQ(r.left, look.bounds.left) << look.name;
        EXPECT_EQ(r.top, look.bounds.top) << look.name;
    }
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), 0u);
    ShowWindow(form, SW_RESTORE);
    Pump();
}

}  // namespace
