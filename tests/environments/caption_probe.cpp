// Loaded into the running Dovrin.exe by the environment test, so that captions
// are measured with the controls' own fonts, which belong to that process.
// ProbeWindows(path) writes one line per control of the program's forms to the
// file, UTF-8, fields separated by TAB:
//   form class, control class, style, left, top, width, height (in the form's
//   client area), text width, text height, average character width, width of
//   "0", line count (multi-line edits; else 0), face, text
// where the text width is one line drawn as a label draws it (overhang
// included), and CR, LF, TAB and backslash in the text are written \r \n \t \\.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring Escaped(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\t': out += L"\\t"; break;
        case L'\\': out += L"\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct Probe {
    HWND form;
    FILE* out;
};

BOOL CALLBACK WriteControl(HWND control, LPARAM data)
{
    const auto* probe = reinterpret_cast<const Probe*>(data);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, probe->form, reinterpret_cast<POINT*>(&r), 2);
    const std::wstring text = TextOf(control);
    const std::wstring line = text.substr(0, text.find(L'\r'));

    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT extent{};
    DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);

    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const bool multiLine = ClassOf(control) == L"Edit" && (style & ES_MULTILINE);
    const auto lines = multiLine ? SendMessageW(control, EM_GETLINECOUNT, 0, 0) : 0;
    std::fprintf(probe->out, "%s\t%s\t%lu\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%s\t%s\n",
                 Utf8(ClassOf(probe->form)).c_str(), Utf8(ClassOf(control)).c_str(), style, r.left, r.top,
                 r.right - r.left, r.bottom - r.top, extent.right + metrics.tmOverhang, metrics.tmHeight,
                 metrics.tmAveCharWidth, zero.cx, static_cast<long>(lines), Utf8(face).c_str(),
                 Utf8(Escaped(text)).c_str());
    return TRUE;
}

BOOL CALLBACK WriteForm(HWND window, LPARAM out)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const std::wstring cls = ClassOf(window);
    if (process == GetCurrentProcessId() && (cls == L"TForm1" || cls == L"TForm2")) {
        Probe probe{window, reinterpret_cast<FILE*>(out)};
        EnumChildWindows(window, WriteControl, reinterpret_cast<LPARAM>(&probe));
    }
    return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI ProbeWindows(void* path)
{
    FILE* out = _wfopen(static_cast<const wchar_t*>(path), L"wb");
    if (!out)
        return 1;
    EnumWindows(WriteForm, reinterpret_cast<LPARAM>(out));
    return std::fclose(out) == 0 ? 0 : 1;
}
