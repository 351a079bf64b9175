#include "framework/controls.h"

#include <cstring>

#include "framework/application.h"
#include "framework/exception.h"
#include "framework/form.h"
#include "framework/gdi_font.h"
#include "framework/wide_text.h"

void TControl::Create(const ControlRow& row, const ControlSetup& setup)
{
    const WindowClass cls = Class(row);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style;
    if (cls.focusable && row.tabStop)
        style |= WS_TABSTOP;
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(setup.id));
    const Bounds& b = setup.bounds;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    handle_ = cls.ansi ? CreateWindowExA(cls.exStyle, cls.name, "", style, b.left, b.top, b.width, b.height,
                                         setup.parent, id, instance, nullptr)
                       : CreateWindowExW(cls.exStyle, std::wstring(cls.name, cls.name + std::strlen(cls.name)).c_str(),
                                         L"", style, b.left, b.top, b.width, b.height, setup.parent, id, instance,
                                         nullptr);
    if (!handle_)
        throw Exception("Cannot create control " + Name);
    ansi_ = cls.ansi;
    background_ = cls.background;
    textColour_ = setup.textColour;
    onClick_ = row.onClick;

    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const auto proc = reinterpret_cast<LONG_PTR>(&SubclassProc);
    original_ = reinterpret_cast<WNDPROC>(ansi_ ? SetWindowLongPtrA(handle_, GWLP_WNDPROC, proc)
                                                : SetWindowLongPtrW(handle_, GWLP_WNDPROC, proc));

    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(setup.font), FALSE);
    // The wide call: Windows converts for an ANSI window, so captions read right
    // whatever the ANSI code page.
    SetWindowTextW(handle_, Widen(row.text).c_str());
    Created();
}

void TControl::Notify(WORD code)
{
    if (onClick_ && IsClick(code))
        onClick_(static_cast<TForm&>(*Owner()), this);
}

HBRUSH TControl::Colours(HDC dc) const
{
    SetTextColor(dc, textColour_);
    SetBkColor(dc, GetSysColor(background_));
    return GetSysColorBrush(background_);
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallOriginal(message, wParam, lParam);
}

LRESULT TControl::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ansi_ ? CallWindowProcA(original_, handle_, message, wParam, lParam)
                 : CallWindowProcW(original_, handle_, message, wParam, lParam);
}

// Set with SetWindowLongPtrA for ANSI controls and ...W for the others, so the
// messages arrive in the control's own character set and go on unconverted.
LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
        const LRESULT result = self->WndProc(message, wParam, lParam);
        if (message == WM_NCDESTROY)
            self->handle_ = nullptr;
        return result;
    } catch (...) {
        Application.HandleException();
        return 0;
    }
}

std::string TCustomEdit::Text() const
{
    const auto length = SendMessageA(Handle(), WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0) {
        const auto copied = SendMessageA(Handle(), WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(copied));
    }
    return text;
}

void TCustomEdit::SetText(const std::string& text)
{
    // No copy of the text: Process puts what it made so far into Memo2 when it
    // has run out of memory.
    SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::Created()
{
    // 0 is the largest limit the control has: the program sets none of its own.
    SendMessageA(Handle(), EM_LIMITTEXT, 0, 0);
}

TControl::WindowClass TMemo::Class(const ControlRow& row) const
{
    // No ES_AUTOHSCROLL and no horizontal scroll bar: lines wrap at the width.
    DWORD style = ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (row.scrollBars == ScrollBars::Vertical)
        style |= WS_VSCROLL;
    if (row.readOnly)
        style |= ES_READONLY;
    return {.name = "EDIT",
            .style = style,
            .exStyle = row.border ? DWORD{WS_EX_CLIENTEDGE} : 0,
            .ansi = !row.wideText,
            .focusable = true,
            .background = row.parentColour ? COLOR_BTNFACE : COLOR_WINDOW};
}

LRESULT TMemo::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE) {
        // A multi-line edit asks the dialog manager for every key. Take back Tab
        // (focus moves on, nothing is inserted) and Esc (the edit would close its
        // window); keep Enter for the line break. No select-all on entry either.
        LRESULT code = CallOriginal(message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    return CallOriginal(message, wParam, lParam);
}

TControl::WindowClass TEdit::Class(const ControlRow& row) const
{
    return {.name = "EDIT",
            .style = ES_LEFT | ES_AUTOHSCROLL | (row.readOnly ? DWORD{ES_READONLY} : 0),
            .exStyle = row.border ? DWORD{WS_EX_CLIENTEDGE} : 0,
            .ansi = true,
            .focusable = true,
            .background = row.parentColour ? COLOR_BTNFACE : COLOR_WINDOW};
}

bool TCheckBox::Checked() const
{
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TControl::WindowClass TCheckBox::Class(const ControlRow&) const
{
    return {.name = "BUTTON", .style = BS_AUTOCHECKBOX, .focusable = true};
}

bool TCheckBox::IsClick(WORD code) const
{
    return code == BN_CLICKED;
}

TControl::WindowClass TButton::Class(const ControlRow&) const
{
    return {.name = "BUTTON", .style = BS_PUSHBUTTON, .focusable = true};
}

bool TButton::IsClick(WORD code) const
{
    return code == BN_CLICKED;
}

LRESULT TButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The dialog manager makes a button the default one when Tab reaches it;
    // no button of ours is ever the default, so Enter clicks none.
    if (message == BM_SETSTYLE && (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        wParam = (wParam & ~WPARAM{BS_TYPEMASK}) | BS_PUSHBUTTON;
    return CallOriginal(message, wParam, lParam);
}

TControl::WindowClass TLabel::Class(const ControlRow& row) const
{
    // SS_NOTIFY makes the label take the mouse: for a click handler, and for the
    // tooltip, which listens to the label's own mouse messages.
    const bool mouse = row.onClick || !row.hint.empty();
    return {.name = "STATIC", .style = SS_LEFT | SS_NOPREFIX | (mouse ? DWORD{SS_NOTIFY} : 0)};
}

void TLabel::Created()
{
    // Sized to the text in the label's font, the way it draws it.
    const int length = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    GetWindowTextW(Handle(), text.data(), length + 1);
    HDC dc = GetDC(Handle());
    SIZE extent{};
    {
        const SelectedFont selected(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        extent = LineExtent(dc, text);
    }
    ReleaseDC(Handle(), dc);
    SetWindowPos(Handle(), nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TLabel::IsClick(WORD code) const
{
    return code == STN_CLICKED;
}

TControl::WindowClass TGroupBox::Class(const ControlRow&) const
{
    return {.name = "BUTTON", .style = BS_GROUPBOX};
}

LRESULT TGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        // The button class leaves a group box's inside unpainted, and the form
        // clips its children out of its own painting.
        RECT inside;
        GetClientRect(Handle(), &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, Colours(reinterpret_cast<HDC>(wParam)));
        return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    default:
        return CallOriginal(message, wParam, lParam);
    }
}
