// The main window's commands on a 2,000-line report, each beside the bare
// edit-control call it cannot do without, in the same run: Process against a
// WM_SETTEXT of its output, Paste against a WM_SETTEXT of the report, Copy
// against a WM_GETTEXT of the output, and Copy once more against the least
// that any copy does (length, text, and the clipboard's own calls, which alone
// take longer than the WM_GETTEXT). The bare calls go to edit controls made
// with the styles, size and font of Memo1 and Memo2. Prints the medians and
// their ratios; the budget is 1.5x each. Run under Wine on a screen of at
// least 1920x1200 (scripts/bench-window).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "clipboard/clipboard_text.h"
#include "clipboard/win32_clipboard.h"
#include "framework/application.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

namespace {

constexpr int kLines = 2000;
constexpr int kRuns = 21;
constexpr double kBudget = 1.5;

// The sample report's lines over and over, up to kLines lines.
std::string MakeReport()
{
    std::ifstream file(DOVRIN_SAMPLE_REPORT, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line + "\n");  // the CR stays at the line's end
    std::string report;
    for (int line = 0; !lines.empty() && line < kLines; ++line)
        report += lines[static_cast<std::size_t>(line) % lines.size()];
    return report;
}

BOOL CALLBACK Paint(HWND window, LPARAM)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

// Handles every waiting message and paints what the last call left to paint,
// so that neither lands in the next measurement.
void Settle()
{
    Application.ProcessMessages();
    EnumThreadWindows(GetCurrentThreadId(), Paint, 0);
    Application.ProcessMessages();
}

double Milliseconds(const std::function<void()>& call)
{
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// An edit control like the memo: its class, styles, size and font, in a
// visible window of its own at the screen's top edge.
class BareEdit {
public:
    BareEdit(const TMemo& memo, int left)
    {
        RECT r;
        GetWindowRect(memo.Handle(), &r);
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, left, 0, width, height, nullptr, nullptr,
                                nullptr, nullptr);
        edit_ = CreateWindowExA(static_cast<DWORD>(GetWindowLongW(memo.Handle(), GWL_EXSTYLE)), "EDIT", "",
                                static_cast<DWORD>(GetWindowLongW(memo.Handle(), GWL_STYLE)), 0, 0, width, height,
                                host_, nullptr, nullptr, nullptr);
        SendMessageA(edit_, WM_SETFONT, SendMessageA(memo.Handle(), WM_GETFONT, 0, 0), FALSE);
        SendMessageA(edit_, EM_LIMITTEXT, 0, 0);
    }
    ~BareEdit() { DestroyWindow(host_); }
    BareEdit(const BareEdit&) = delete;
    BareEdit& operator=(const BareEdit&) = delete;

    HWND Handle() const { return edit_; }

    // Whether any of it is hidden behind the window or lies off the screen.
    bool Covers(HWND window) const
    {
        RECT own, other, overlap;
        GetWindowRect(host_, &own);
        GetWindowRect(window, &other);
        return IntersectRect(&overlap, &own, &other) || own.right > GetSystemMetrics(SM_CXSCREEN);
    }

private:
    HWND host_ = nullptr;
    HWND edit_ = nullptr;
};

// The least that any copy of an edit control's text does: its length, the
// text straight into a new block, and the block onto the clipboard.
void BareCopy(HWND edit, HWND owner)
{
    const auto size = static_cast<std::size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    SendMessageA(edit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(GlobalLock(block)));
    GlobalUnlock(block);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// A command beside its bare call, timed in turns, each after the same
// preparation, which is not timed.
struct Comparison {
    const char* command;
    const char* bare;
    std::function<void()> prepare;
    std::function<void()> runCommand;
    std::function<void()> runBare;
    std::vector<double> commandTimes{};
    std::vector<double> bareTimes{};

    void Measure(int run)
    {
        auto once = [this](const std::function<void()>& call, std::vector<double>& times) {
            prepare();
            Settle();
            times.push_back(Milliseconds(call));
            Settle();
        };
        // Each goes first every other run, so that neither always finds what
        // the other left behind.
        if (run % 2 == 0) {
            once(runCommand, commandTimes);
            once(runBare, bareTimes);
        } else {
            once(runBare, bareTimes);
            once(runCommand, commandTimes);
        }
    }
};

void Print(const std::vector<Comparison>& comparisons)
{
    std::printf("%-20s %10s   %-24s %10s %7s  %s\n", "command", "median", "bare call", "median", "ratio",
                "budget 1.5x");
    for (const Comparison& c : comparisons) {
        const double command = Median(c.commandTimes);
        const double bare = Median(c.bareTimes);
        const double ratio = command / bare;
        std::printf("%-20s %7.2f ms   %-24s %7.2f ms %6.2fx  %s\n", c.command, command, c.bare, bare, ratio,
                    ratio <= kBudget ? "met" : "NOT MET");
    }
}

bool Fail(const char* problem)
{
    std::fprintf(stderr, "window_bench: %s\n", problem);
    return false;
}

bool Run()
{
    Application.Initialize();
    Application.SetTitle(u8"Dovrin");
    Application.CreateForm(Form1);
    Application.CreateForm(Form2);
    Application.ShowMainForm();
    Settle();

    const std::string report = MakeReport();
    if (report.empty())
        return Fail("cannot read " DOVRIN_SAMPLE_REPORT);
    // Side by side above the main window, all three in full view.
    const BareEdit bareInput(*Form1->Memo1, 0);
    const BareEdit bareOutput(*Form1->Memo2, 720);
    if (bareInput.Covers(Form1->Handle()) || bareOutput.Covers(Form1->Handle()))
        return Fail("the screen is too small to show the main window and the bare controls apart");
    auto setText = [](HWND edit, const std::string& text) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };

    // One Process first: its output is the text of the bare calls, and both
    // output controls hold it before every measured call, as Memo2 does.
    Form1->Memo1->SetText(report);
    SendMessageW(Form1->Button1->Handle(), BM_CLICK, 0, 0);
    const std::string output = Form1->Memo2->Text();
    setText(bareOutput.Handle(), output);
    std::string read(output.size() + 1, '\0');

    bool pasteReady = true;
    auto nothing = [] {};
    // The report in Memo1, where a Paste measurement may have left it empty.
    auto readyToProcess = [&] {
        if (Form1->Memo1->Text() != report)
            Form1->Memo1->SetText(report);
    };
    // The report on the clipboard, where Copy leaves the output; both input
    // controls empty, since Paste leaves Memo1 alone when it holds the
    // clipboard's text already.
    auto readyToPaste = [&] {
        pasteReady = pasteReady && WriteClipboardText(Win32Clipboard(), Form1->Handle(), report);
        Form1->Memo1->SetText("");
        setText(bareInput.Handle(), "");
    };
    auto copy = [] { Form1->Button3Click(Form1->Button3); };
    std::vector<Comparison> comparisons = {
        {"Process (BM_CLICK)", "WM_SETTEXT of output", readyToProcess,
         [] { SendMessageW(Form1->Button1->Handle(), BM_CLICK, 0, 0); }, [&] { setText(bareOutput.Handle(), output); }},
        {"Paste (Button2Click)", "WM_SETTEXT of report", readyToPaste, [] { Form1->Button2Click(Form1->Button2); },
         [&] { setText(bareInput.Handle(), report); }},
        {"Copy (Button3Click)", "WM_GETTEXT of output", nothing, copy,
         [&] { SendMessageA(bareOutput.Handle(), WM_GETTEXT, read.size(), reinterpret_cast<LPARAM>(read.data())); }},
        {"Copy (Button3Click)", "length, text, clipboard", nothing, copy,
         [&] { BareCopy(bareOutput.Handle(), Form1->Handle()); }},
    };
    for (int run = 0; run < kRuns; ++run)
        for (Comparison& comparison : comparisons)
            comparison.Measure(run);

    // The commands gave the texts that the bare calls were measured with.
    readyToProcess();
    SendMessageW(Form1->Button1->Handle(), BM_CLICK, 0, 0);
    readyToPaste();
    Form1->Button2Click(Form1->Button2);
    copy();
    std::string copied;
    ReadClipboardText(Win32Clipboard(), Form1->Handle(), copied);
    if (!pasteReady)
        return Fail("cannot put the report on the clipboard");
    if (Form1->Memo2->Text() != output || Form1->Memo1->Text() != report || copied != output ||
        read.c_str() != output)
        return Fail("a command did not give the text it was measured with");

    std::printf("report: %d lines, %zu bytes; output: %zu bytes; %d runs each, median\n", kLines, report.size(),
                output.size(), kRuns);
    Print(comparisons);
    return true;
}

}  // namespace

int main()
{
    return Run() ? 0 : 1;
}
