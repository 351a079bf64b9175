#include "framework/application.h"

#include <cxxabi.h>

#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "framework/bound_window.h"
#include "framework/exception.h"
#include "framework/failure_text.h"
#include "framework/form.h"
#include "framework/platform.h"
#include "framework/wide_text.h"

TApplication Application;

namespace {

constexpr UINT kActivateForm = WM_APP;  // posted: pass the activation on to a form
constexpr wchar_t kWindowClass[] = L"TApplication";

// What the exception being handled says of itself.
struct Failure {
    bool silent = false;
    std::string message;
    const void* address = nullptr;
};

Failure CurrentFailure()
{
    try {
        throw;
    } catch (const EAbort&) {
        return {true, {}, nullptr};
    } catch (const Exception& e) {
        return {false, e.Message(), e.Address()};
    } catch (const std::bad_alloc&) {
        return {false, "Out of memory", nullptr};
    } catch (const std::exception& e) {
        return {false, e.what(), nullptr};
    } catch (...) {
        return {false, "Unknown failure", nullptr};
    }
}

// The readable name of the exception's class, e.g. "Exception" or "std::bad_alloc".
std::string CurrentFailureClass()
{
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type)
        return "unknown";
    int status = 0;
    char* readable = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    std::string name = status == 0 ? readable : type->name();
    std::free(readable);
    return name;
}

std::string ModuleFileName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    return name.substr(name.find_last_of("\\/") + 1);
}

int StartupShowCommand()
{
    STARTUPINFOW info{};
    info.cb = sizeof info;
    GetStartupInfoW(&info);
    return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWNORMAL;
}

BOOL CALLBACK CollectEnabled(HWND window, LPARAM windows)
{
    // Nothing may unwind through the enumeration: without memory for the list,
    // the windows not yet listed stay enabled.
    try {
        if (IsWindowVisible(window) && IsWindowEnabled(window))
            reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication()
{
    DestroyComponents();
    if (handle_)
        DestroyWindow(handle_);
}

void TApplication::Initialize()
{
    if (handle_)
        return;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    icon_ = LoadIconW(instance, L"MAINICON");
    if (!icon_)
        icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = &BoundWindowProc<TApplication>;
    cls.hInstance = instance;
    cls.hIcon = icon_;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&cls))
        throw Exception("Cannot register the application window class");
    // Zero size at the screen's centre: it is there for the taskbar button and as
    // the owner of the forms, never to be seen itself.
    CreateWindowExW(0, kWindowClass, title_.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                    GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr,
                    instance, this);
    if (!handle_)
        throw Exception("Cannot create the application window");
}

void TApplication::SetTitle(std::u8string_view title)
{
    title_ = Widen(title);
    if (handle_)
        SetWindowTextW(handle_, title_.c_str());
}

void TApplication::Run()
{
    ShowMainForm();
    while (!terminated_)
        HandleMessage();
}

void TApplication::ShowMainForm()
{
    // Two show commands of the starting program count: maximised, and minimised
    // without activation. Every other one, hiding and the other minimising ones
    // included, opens the main form in its normal state.
    switch (StartupShowCommand()) {
    case SW_SHOWMINNOACTIVE:
        // Only the taskbar button; the main form shows when it is restored.
        hiddenWhileMinimised_ = {mainForm_};
        ShowWindow(handle_, SW_SHOWMINNOACTIVE);
        return;
    case SW_SHOWMAXIMIZED:
        mainForm_->Show(SW_SHOWMAXIMIZED);
        break;
    default:
        mainForm_->Show(SW_SHOWNORMAL);
        break;
    }
    ShowWindow(handle_, SW_SHOWNA);
}

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    // Keys go through the dialog manager of their form first: Tab and Shift+Tab
    // move through the tab order, Space presses the focused button.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (TForm::FromHandle(root) && IsDialogMessageW(root, &msg))
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage())
        WaitMessage();
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::Minimize()
{
    // The forms go with the application window and come back when it is
    // restored. Windows itself hides owned windows with their owner; Wine does
    // not, so the forms are hidden here.
    for (TComponent* component : Components())
        if (auto* form = dynamic_cast<TForm*>(component); form && form->Visible()) {
            hiddenWhileMinimised_.push_back(form);
            form->Hide();
        }
    ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::HandleException() noexcept
{
    try {
        if (HWND capture = GetCapture())
            SendMessageW(capture, WM_CANCELMODE, 0, 0);
        const Failure failure = CurrentFailure();
        if (!failure.silent)
            ShowFailure(DisplayedMessage(failure.message));
    } catch (...) {
        // The display itself failed (out of memory): nothing more can be shown.
    }
}

void TApplication::ShowFailure(const std::string& message)
{
    // Modal to every window of the program, not only to the box's owner.
    HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
    for (HWND window : disabled)
        EnableWindow(window, FALSE);
    Platform.messageBox(handle_, message.c_str(), ToAnsi(title_).c_str(), MB_OK | MB_ICONERROR);
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    if (active && IsWindow(active))
        SetActiveWindow(active);
}

void TApplication::ActivateTopForm()
{
    // The uppermost visible, enabled form takes the activation (and so the
    // focus) that came to the invisible application window.
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (TForm::FromHandle(window) && IsWindowVisible(window) && IsWindowEnabled(window)) {
            SetActiveWindow(window);
            return;
        }
    }
}

LRESULT TApplication::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            PostMessageW(handle_, kActivateForm, 0, 0);
        return 0;
    case kActivateForm:
        if (GetActiveWindow() == handle_ && !IsIconic(handle_))
            ActivateTopForm();
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (!hiddenWhileMinimised_.empty() && !IsIconic(handle_)) {
            for (TForm* form : std::exchange(hiddenWhileMinimised_, {}))
                form->Show(SW_SHOWNA);
            ActivateTopForm();
        }
        break;
    case WM_CLOSE:
        // Closing from the taskbar closes the main form, which ends the program.
        if (mainForm_)
            PostMessageW(mainForm_->Handle(), WM_CLOSE, 0, 0);
        else
            Terminate();
        return 0;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

int RunProgram(void (*startup)())
{
    try {
        startup();
        return 0;
    } catch (...) {
        const Failure failure = CurrentFailure();
        const std::string text = StartupFailureText(CurrentFailureClass(), ModuleFileName(),
                                                    reinterpret_cast<std::uintptr_t>(failure.address),
                                                    failure.message);
        Platform.messageBox(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return 1;
    }
}
