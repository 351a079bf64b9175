#include "framework/form.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "framework/application.h"
#include "framework/bound_window.h"
#include "framework/controls.h"
#include "framework/exception.h"
#include "framework/wide_text.h"
#include "framework/window_face.h"

namespace {

constexpr int kFirstControlId = 100;  // above IDOK and IDCANCEL, which Enter and Esc send
constexpr int kScrollLine = 8;

[[noreturn]] void Invalid(const FormDescription& d, const std::string& problem)
{
    throw Exception(std::string("Invalid description of form ") + (d.name ? d.name : "(no name)") + ": " + problem);
}

void Validate(const FormDescription& d)
{
    if (!d.name || !*d.name || !d.className || !*d.className)
        Invalid(d, "the form needs a name and a class name");
    const bool outer = d.width > 0 && d.height > 0;
    const bool client = d.clientWidth > 0 && d.clientHeight > 0;
    if (outer == client)
        Invalid(d, "give either the outer size or the client size");
    for (const ControlRow& row : d.controls) {
        if (!row.control.make || !row.name || !*row.name)
            Invalid(d, "every component needs a binding and a name");
        if (FindRow(d, row.name) != &row)
            Invalid(d, std::string("duplicate name ") + row.name);
        if (row.parent) {
            const ControlRow* parent = FindRow(d, row.parent);
            if (!parent)
                Invalid(d, std::string(row.name) + " has an unknown parent " + row.parent);
            if (parent->control.kind != ControlKind::GroupBox || parent->parent)
                Invalid(d, std::string(row.name) + ": " + row.parent + " is not a group box on the form");
        }
        if (row.tabOrder != kNoTabOrder) {
            for (const ControlRow& other : d.controls)
                if (&other != &row && other.tabOrder == row.tabOrder &&
                    std::string_view(other.parent ? other.parent : "") == (row.parent ? row.parent : ""))
                    Invalid(d, std::string(row.name) + " and " + other.name + " share a tab order");
        }
    }
}

// Creation order, which is also the z-order and so the order of Tab: the form's
// own controls first, by tab order (those without one after), group boxes at
// the bottom below the controls that lie over them; then the group boxes'
// children in the same way.
std::vector<std::size_t> CreationOrder(const FormDescription& d)
{
    std::vector<std::size_t> order(d.controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto key = [&](std::size_t i) {
        const ControlRow& row = d.controls[i];
        return std::tuple(row.parent != nullptr, row.control.kind == ControlKind::GroupBox,
                          row.tabOrder == kNoTabOrder ? INT_MAX : row.tabOrder, i);
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    return order;
}

void RegisterFormClass(const std::wstring& name, HICON icon)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name.c_str(), &existing))
        return;
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = &BoundWindowProc<TForm>;
    cls.hInstance = instance;
    cls.hIcon = icon;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = name.c_str();
    if (!RegisterClassExW(&cls))
        throw Exception("Cannot register the window class of a form");
}

}  // namespace

TForm::TForm(TComponent* owner) : TComponent(owner) {}

TForm::~TForm()
{
    if (handle_)
        DestroyWindow(handle_);
    if (Application.mainForm_ == this)
        Application.mainForm_ = nullptr;
    std::erase(Application.hiddenWhileMinimised_, this);
}

void TForm::Load(const FormDescription& d)
{
    Validate(d);
    Name = d.name;
    position_ = d.position;

    // Designed for a 13-pixel text height: measure the window font at the
    // system's dots per inch and scale everything by the ratio.
    textHeight_ = WindowTextHeight(d.font, WindowFontFace(), d.textCharset);

    const std::wstring className = Widen(reinterpret_cast<const char8_t*>(d.className));
    const bool dialog = d.border == FormBorder::Dialog;
    // A dialog frame shows no icon; the window class carries none either, since
    // Wine would draw the class icon in the caption all the same.
    RegisterFormClass(className, dialog ? nullptr : Application.Icon());
    // Owned by the application window: no taskbar button of its own.
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    if (!dialog) {
        style |= WS_OVERLAPPEDWINDOW;
    } else {
        style |= WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_DLGMODALFRAME;  // fixed frame, no icon in the caption
    }
    RECT outer{0, 0, ScaleToTextHeight(d.width, textHeight_), ScaleToTextHeight(d.height, textHeight_)};
    if (d.clientWidth > 0) {
        outer = {0, 0, ScaleToTextHeight(d.clientWidth, textHeight_), ScaleToTextHeight(d.clientHeight, textHeight_)};
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    CreateWindowExW(exStyle, className.c_str(), Widen(d.caption).c_str(), style, 0, 0, outer.right - outer.left,
                    outer.bottom - outer.top, Application.Handle(), nullptr, GetModuleHandleW(nullptr), this);
    if (!handle_)
        throw Exception(Name + ": cannot create the window");
    if (dialog) {
        // A fixed frame can only be moved and closed: its system menu offers
        // nothing else.
        HMENU menu = GetSystemMenu(handle_, FALSE);
        for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
            DeleteMenu(menu, command, MF_BYCOMMAND);
    }

    struct Made {
        const char* name;
        HWND window;
    };
    std::vector<Made> made;
    for (std::size_t index : CreationOrder(d)) {
        const ControlRow& row = d.controls[index];
        TComponent* component = row.control.make(*this);
        component->Name = row.name;
        auto* control = dynamic_cast<TControl*>(component);
        if (!control)
            continue;
        HWND parent = handle_;
        if (row.parent)
            parent = std::find_if(made.begin(), made.end(), [&](const Made& m) {
                         return std::strcmp(m.name, row.parent) == 0;
                     })->window;
        const FontSpec font = RowFont(d, row);
        control->Create(row, {.parent = parent,
                              .id = kFirstControlId + static_cast<int>(index),
                              .bounds = ScaleToTextHeight(row.bounds, textHeight_),
                              .font = Font(font, HoldsAnsiText(row) ? kDefaultCharset : d.textCharset),
                              .textColour = font.colour.value_or(GetSysColor(COLOR_WINDOWTEXT))});
        made.push_back({row.name, control->Handle()});
        if (!row.hint.empty())
            AddHint(*control, row.hint);
        if (!row.parent) {
            RECT r;
            GetWindowRect(control->Handle(), &r);
            MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
            extent_ = {std::max(extent_.x, static_cast<int>(r.right)), std::max(extent_.y, static_cast<int>(r.bottom))};
        }
    }
    // The system may have made the window smaller than designed (a small
    // screen) before its controls existed: scroll bars from the start.
    UpdateScrollBars();
}

HFONT TForm::Font(const FontSpec& font, int charset)
{
    const auto key = std::tuple(FontHeight(font.size, textHeight_), font.bold, charset);
    auto found = fonts_.find(key);
    if (found == fonts_.end())
        found = fonts_.emplace(key, GdiFont(std::get<0>(key), font.bold, WindowFontFace(), charset)).first;
    return found->second.Handle();
}

void TForm::AddHint(const TControl& control, std::u8string_view hint)
{
    if (!tooltip_) {
        // The one call the tooltip class asks for before its first window.
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!tooltip_)
            throw Exception(Name + ": cannot create the tooltip window");
        SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
        SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2500);
    }
    std::wstring text = Widen(hint);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
    tool.lpszText = text.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool TForm::Visible() const
{
    return IsWindowVisible(handle_);
}

void TForm::Show(int command)
{
    if (!placed_) {
        Place();
        placed_ = true;
    }
    ShowWindow(handle_, command);
}

void TForm::Hide()
{
    ShowWindow(handle_, SW_HIDE);
}

void TForm::BringToFront()
{
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(handle_);
}

TForm* TForm::FromHandle(HWND window)
{
    if (!window || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != &BoundWindowProc<TForm>)
        return nullptr;
    return reinterpret_cast<TForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void TForm::Place()
{
    RECT own;
    GetWindowRect(handle_, &own);
    Bounds area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TForm* main = Application.MainForm();
    if (position_ == FormPosition::MainFormCenter && main && main != this) {
        RECT r;
        GetWindowRect(main->Handle(), &r);
        area = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    const Point origin = CentredOrigin(area, own.right - own.left, own.bottom - own.top);
    SetWindowPos(handle_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TControl* TForm::ControlFromHandle(HWND window) const
{
    if (!window)
        return nullptr;
    for (TComponent* component : Components())
        if (auto* control = dynamic_cast<TControl*>(component); control && control->Handle() == window)
            return control;
    return nullptr;
}

void TForm::RestoreFocus()
{
    // The control that had the focus last, or the first tab stop.
    HWND target = lastFocus_;
    if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
        target = GetNextDlgTabItem(handle_, nullptr, FALSE);
    if (target)
        SetFocus(target);
}

void TForm::UpdateScrollBars()
{
    if (updatingScrollBars_)
        return;
    updatingScrollBars_ = true;
    // The client area as it would be without bars; a bar is needed when the
    // controls reach past it, and one bar narrows the room for the other.
    RECT client;
    GetClientRect(handle_, &client);
    const auto style = static_cast<DWORD>(GetWindowLongW(handle_, GWL_STYLE));
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int width = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
    const int height = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
    bool horizontal = false;
    bool vertical = false;
    for (int round = 0; round < 2; ++round) {
        horizontal = extent_.x > width - (vertical ? barWidth : 0);
        vertical = extent_.y > height - (horizontal ? barHeight : 0);
    }
    const Point page{width - (vertical ? barWidth : 0), height - (horizontal ? barHeight : 0)};
    ScrollTo({std::clamp(scroll_.x, 0, std::max(0, extent_.x - page.x)),
              std::clamp(scroll_.y, 0, std::max(0, extent_.y - page.y))});
    // A page as large as the range hides the bar.
    const int bars[] = {SB_HORZ, SB_VERT};
    const int ranges[] = {extent_.x, extent_.y};
    const int pages[] = {page.x, page.y};
    const int positions[] = {scroll_.x, scroll_.y};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = ranges[i] - 1;
        info.nPage = static_cast<UINT>(std::max(pages[i], 0));
        info.nPos = positions[i];
        SetScrollInfo(handle_, bars[i], &info, TRUE);
    }
    updatingScrollBars_ = false;
}

void TForm::Scroll(int bar, WORD request)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(handle_, bar, &info);
    const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP: position -= kScrollLine; break;
    case SB_LINEDOWN: position += kScrollLine; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = last; break;
    default: return;
    }
    position = std::clamp(position, 0, last);
    ScrollTo(bar == SB_HORZ ? Point{position, scroll_.y} : Point{scroll_.x, position});
    SetScrollPos(handle_, bar, position, TRUE);
}

void TForm::ScrollTo(Point origin)
{
    if (origin == scroll_)
        return;
    ScrollWindowEx(handle_, scroll_.x - origin.x, scroll_.y - origin.y, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    scroll_ = origin;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Without a control come menu commands and the IDOK / IDCANCEL that the
        // dialog manager sends for Enter and Esc: the form has no default and no
        // cancel button, so they do nothing.
        if (TControl* control = ControlFromHandle(reinterpret_cast<HWND>(lParam)))
            control->Notify(HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (TControl* control = ControlFromHandle(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(control->Colours(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(handle_, focus))
                lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_SIZE:
        UpdateScrollBars();
        return 0;
    case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        // The main form minimises the whole application: its taskbar button
        // restores it.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && Application.MainForm() == this) {
            Application.Minimize();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closing the main form ends the program without asking; any other form
        // only hides.
        if (Application.MainForm() == this)
            Application.Terminate();
        else
            Hide();
        return 0;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}
