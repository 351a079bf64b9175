// The real Dovrin.exe (DOVRIN_EXE) in the environment it was started in (a
// prefix without the design face, another code page, another text scaling):
// every caption fits its control, measured in the program itself with the
// control's own font (caption_probe, DOVRIN_PROBE), no label reaches into
// another control, the help text is the fixture as wide text and wraps nowhere,
// and every position and size is the design's scaled by the ratio of the text
// heights. Prints what it measured, caption by caption.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/placement.h"

namespace {

using namespace std::chrono_literals;

std::wstring Widen(const std::string& utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

std::wstring Environment(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

// A control of the running program as the probe measured it.
struct Control {
    std::string form;
    std::string cls;
    DWORD style = 0;
    Bounds box;
    int textWidth = 0;
    int textHeight = 0;
    int averageWidth = 0;
    int zeroWidth = 0;
    int lines = 0;
    std::string face;
    std::string text;  // escaped: \r \n \t \\ for CR, LF, TAB and backslash

    bool Is(const char* kind, DWORD type) const
    {
        return cls == kind && (style & (cls == "Button" ? BS_TYPEMASK : SS_TYPEMASK)) == type;
    }
    bool IsLabel() const { return cls == "Static"; }
};

std::vector<Control> ReadProbe(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    std::vector<Control> controls;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        Control c;
        std::string style, left, top, width, height, textWidth, textHeight, average, zero, lines;
        for (std::string* field : {&c.form, &c.cls, &style, &left, &top, &width, &height, &textWidth, &textHeight,
                                   &average, &zero, &lines, &c.face})
            std::getline(fields, *field, '\t');
        std::getline(fields, c.text);
        c.style = std::stoul(style);
        c.box = {std::stoi(left), std::stoi(top), std::stoi(width), std::stoi(height)};
        c.textWidth = std::stoi(textWidth);
        c.textHeight = std::stoi(textHeight);
        c.averageWidth = std::stoi(average);
        c.zeroWidth = std::stoi(zero);
        c.lines = std::stoi(lines);
        controls.push_back(c);
    }
    return controls;
}

// The started program with the probe loaded into it.
class Program {
public:
    Program()
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + Environment(L"DOVRIN_EXE") + L"\"";
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != FALSE;
    }
    ~Program()
    {
        if (!started_)
            return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool Started() const { return started_; }

    HWND Window(const wchar_t* className) const
    {
        Search search{process_.dwProcessId, className, nullptr};
        EnumWindows(Find, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Runs the probe's ProbeWindows in the program; the report goes to the file.
    bool Probe(const std::wstring& report)
    {
        const std::wstring dll = Environment(L"DOVRIN_PROBE");
        HMODULE local = LoadLibraryW(dll.c_str());
        if (!local)
            return false;
        const auto offset = reinterpret_cast<const char*>(GetProcAddress(local, "ProbeWindows")) -
                            reinterpret_cast<const char*>(local);
        const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
        DWORD remote = 0;
        if (!RunRemote(load, dll, remote) || !remote)
            return false;
        const auto probe = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(remote + offset));
        DWORD result = 1;
        return RunRemote(probe, report, result) && result == 0;
    }

private:
    struct Search {
        DWORD process;
        const wchar_t* className;
        HWND found;
    };
    static BOOL CALLBACK Find(HWND window, LPARAM data)
    {
        auto* search = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (process == search->process && std::wstring(name) == search->className) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    // A thread in the program that runs the routine on a copy of the text.
    bool RunRemote(LPTHREAD_START_ROUTINE routine, const std::wstring& text, DWORD& result)
    {
        const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
        void* copy = VirtualAllocEx(process_.hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!copy || !WriteProcessMemory(process_.hProcess, copy, text.c_str(), bytes, nullptr))
            return false;
        HANDLE thread = CreateRemoteThread(process_.hProcess, nullptr, 0, routine, copy, 0, nullptr);
        const bool ended = thread && WaitForSingleObject(thread, 20000) == WAIT_OBJECT_0;
        if (thread) {
            GetExitCodeThread(thread, &result);
            CloseHandle(thread);
        }
        VirtualFreeEx(process_.hProcess, copy, 0, MEM_RELEASE);
        return ended;
    }

    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

bool WaitFor(bool (*condition)(const Program&), const Program& program)
{
    const auto end = std::chrono::steady_clock::now() + 30s;
    while (!condition(program)) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// The design: positions and sizes at a text height of 13 pixels. Labels size
// themselves to their text, so only their place is the design's; Label1 lies
// in GroupBox1.
struct Design {
    const char* form;
    const char* cls;
    const char8_t* text;
    Bounds box;
    Point parent{};  // the group box's corner for Label1
};

const Design kDesign[] = {
    {"TForm1", "Static", u8"Данные из PRO100", {16, 8, 0, 0}},
    {"TForm1", "Static", u8"PRO100 -> Инструменты -> Отчеты и расчеты -> Копировать", {248, 8, 0, 0}},
    {"TForm1", "Static", u8"Данные для переноса в Cutting3", {16, 296, 0, 0}},
    {"TForm1", "Static", u8"Cutting3 -> Таблица деталей -> Основные функции -> Добавить из буфера", {248, 296, 0, 0}},
    {"TForm1", "Static", u8"Номер материала:", {10, 17, 0, 0}, {728, 8}},
    {"TForm1", "Button", u8"Управление", {728, 8, 145, 193}},
    {"TForm1", "Edit", u8"1", {840, 24, 25, 17}},
    {"TForm1", "Button", u8"Вращать детали", {736, 48, 105, 17}},
    {"TForm1", "Button", u8"Вставить из буфера", {736, 72, 129, 25}},
    {"TForm1", "Button", u8"Обратотать", {736, 104, 129, 25}},
    {"TForm1", "Button", u8"Копировать в буфер", {736, 136, 129, 25}},
    {"TForm1", "Button", u8"Помощь", {736, 168, 129, 25}},
    {"TForm2", "Edit", nullptr, {8, 8, 721, 369}},
};

std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

class EnvironmentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::printf("environment: %ls, ANSI code page %u\n", Environment(L"DOVRIN_ENVIRONMENT").c_str(), GetACP());
        program_ = new Program;
        ASSERT_TRUE(program_->Started());
        ASSERT_TRUE(WaitFor([](const Program& p) { return IsWindowVisible(p.Window(L"TForm1")) != FALSE; },
                            *program_));
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring report = std::wstring(folder) + L"dovrin-caption-probe.txt";
        ASSERT_TRUE(program_->Probe(report)) << "the probe ran in the program";
        controls_ = new std::vector<Control>(ReadProbe(report));
        DeleteFileW(report.c_str());
    }
    static void TearDownTestSuite()
    {
        delete program_;
        delete controls_;
    }

    static const Control* Find(const char* form, const char* cls, const std::string& text)
    {
        for (const Control& c : *controls_)
            if (c.form == form && c.cls == cls && (text.empty() ? c.text.size() > 200 : c.text == text))
                return &c;
        return nullptr;
    }

    // The text height of the window font, which the design is scaled by.
    static int TextHeight()
    {
        const Control* edit = Find("TForm1", "Edit", "1");
        return edit ? edit->textHeight : 0;
    }

    static Program* program_;
    static std::vector<Control>* controls_;
};

Program* EnvironmentTest::program_ = nullptr;
std::vector<Control>* EnvironmentTest::controls_ = nullptr;

TEST_F(EnvironmentTest, EveryCaptionFitsItsControl)
{
    ASSERT_FALSE(controls_->empty());
    const int height = TextHeight();
    const auto scaled = [height](int design) { return ScaleToTextHeight(design, height); };
    std::printf("face %s, text height %d\n", controls_->front().face.c_str(), height);
    if (const std::wstring expected = Environment(L"DOVRIN_EXPECTED_FACE"); !expected.empty()) {
        EXPECT_EQ(Widen(controls_->front().face), expected);
    }
    for (const Control& c : *controls_) {
        int room = 0;
        if (c.Is("Button", BS_PUSHBUTTON))
            room = c.box.width - 2 * scaled(4);  // bevel and focus rectangle on either side
        else if (c.Is("Button", BS_AUTOCHECKBOX))
            room = c.box.width - scaled(13) - c.zeroWidth / 2 - scaled(1);  // the square, half a digit, the focus
        else if (c.Is("Button", BS_GROUPBOX))
            room = c.box.width - 2 * scaled(8);
        else if (c.IsLabel())
            room = c.box.width;
        else
            continue;
        std::printf("  %-8s %-6s %3d of %3d px  %s\n", c.form.c_str(), c.cls.c_str(), c.textWidth, room,
                    c.text.c_str());
        EXPECT_LE(c.textWidth, room) << c.text << " in " << c.face;
        EXPECT_EQ(c.face, controls_->front().face) << "one face for every font";
    }
}

TEST_F(EnvironmentTest, NoLabelReachesIntoAnotherControl)
{
    const Control* group = Find("TForm1", "Button", Utf8(u8"Управление"));
    ASSERT_NE(group, nullptr);
    for (const Control& label : *controls_) {
        if (!label.IsLabel() || label.form != "TForm1")
            continue;
        const Bounds& a = label.box;
        const bool inGroup = a.left >= group->box.left && a.left < group->box.left + group->box.width &&
                             a.top >= group->box.top && a.top < group->box.top + group->box.height;
        if (inGroup) {
            EXPECT_LE(a.left + a.width, group->box.left + group->box.width) << label.text << " stays in its group";
        }
        for (const Control& other : *controls_) {
            if (&other == &label || other.form != label.form || (inGroup && &other == group))
                continue;
            const Bounds& b = other.box;
            const bool overlap = a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
                                 b.top < a.top + a.height;
            EXPECT_FALSE(overlap) << label.text << " reaches into " << other.cls << " " << other.text;
        }
    }
}

TEST_F(EnvironmentTest, HelpTextIsTheFixtureAsWideTextOnUnwrappedLines)
{
    std::ifstream file(DOVRIN_HELP_TEXT, std::ios::binary);
    const std::wstring expected = Widen({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
    ASSERT_FALSE(expected.empty());
    HWND help = GetWindow(program_->Window(L"TForm2"), GW_CHILD);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(IsWindowUnicode(help));
    std::wstring text(expected.size() + 16, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(help, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    EXPECT_EQ(text, expected);
    EXPECT_EQ(SendMessageW(help, EM_GETLINECOUNT, 0, 0), 19) << "no line wraps";
}

TEST_F(EnvironmentTest, PositionsAndSizesAreTheDesignScaledByTheTextHeight)
{
    const int height = TextHeight();
    const auto scaled = [height](int design) { return ScaleToTextHeight(design, height); };
    for (const Design& d : kDesign) {
        const Control* c = Find(d.form, d.cls, d.text ? Utf8(d.text) : std::string());
        ASSERT_NE(c, nullptr) << d.form << " " << d.cls << " " << (d.text ? Utf8(d.text) : "help text");
        SCOPED_TRACE(c->text.substr(0, 40));
        EXPECT_EQ(c->box.left, scaled(d.parent.x) + scaled(d.box.left));
        EXPECT_EQ(c->box.top, scaled(d.parent.y) + scaled(d.box.top));
        if (d.box.width) {
            EXPECT_EQ(c->box.width, scaled(d.box.width));
            EXPECT_EQ(c->box.height, scaled(d.box.height));
        } else {
            EXPECT_EQ(c->box.width, c->textWidth) << "a label is as wide as its text";
            EXPECT_EQ(c->box.height, c->textHeight);
        }
    }
    RECT main;
    GetWindowRect(program_->Window(L"TForm1"), &main);
    EXPECT_EQ(main.right - main.left, scaled(885));
    EXPECT_EQ(main.bottom - main.top, scaled(619));
    RECT help;
    GetClientRect(program_->Window(L"TForm2"), &help);
    EXPECT_EQ(help.right, scaled(737));
    EXPECT_EQ(help.bottom, scaled(391));
}

}  // namespace
