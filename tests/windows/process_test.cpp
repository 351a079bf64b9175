// Process on the real main window: Button1 clicked with BM_CLICK over the cases
// of a parts list, with Memo2's exact bytes, the controls it only reads left as
// they were, and the whole result put into Memo2 with one text replacement.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"

namespace {

using namespace app_fixture;

// Counts the text replacements and the edits that a window receives through
// SendMessage while it lives.
class EditCounter {
public:
    explicit EditCounter(HWND window)
    {
        watched_ = window;
        setTexts_ = replaceSels_ = 0;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Note, nullptr, GetCurrentThreadId());
    }
    ~EditCounter() { UnhookWindowsHookEx(hook_); }
    EditCounter(const EditCounter&) = delete;
    EditCounter& operator=(const EditCounter&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    int SetTexts() const { return setTexts_; }
    int ReplaceSels() const { return replaceSels_; }

private:
    static LRESULT CALLBACK Note(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && message->hwnd == watched_) {
            setTexts_ += message->message == WM_SETTEXT;
            replaceSels_ += message->message == EM_REPLACESEL;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline HWND watched_ = nullptr;
    static inline int setTexts_ = 0;
    static inline int replaceSels_ = 0;
    HHOOK hook_ = nullptr;
};

// A part line of a single field wider than Memo1, which wraps it on screen.
const std::string kWideField = [] {
    std::string field;
    while (field.size() < 6000)
        field += "wide part name ";
    return field;
}();

struct ProcessCase {
    const char* name;
    std::string input;
    std::string material;
    bool rotate;
    int clicks;
    std::string output;
};

const ProcessCase kCases[] = {
    {"seven fields", "p1\tp2\tp3\tp4\tp5\tp6\tp7", "1", false, 1,
     "1\tp2\tp4\tp7\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n"},
    {"nine fields: 3, 5, 6, 8 and 9 dropped", "p1\tp2\tp3\tp4\tp5\tp6\tp7\tp8\tp9\r\n", "1", false, 1,
     "1\tp2\tp4\tp7\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n"},
    {"three fields", "p1\tp2\tp3\r\n", "1", false, 1,
     "1\tp2\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n"},
    {"no TAB: the whole line is field 1", "one part\r\n", "1", false, 1,
     "1\t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tone part\tD\r\n"},
    {"a final TAB closes the last field", "p1\tp2\tp3\tp4\tp5\tp6\tp7\t\r\n", "1", false, 1,
     "1\tp2\tp4\tp7\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n"},
    {"spaces only is a line", "   \r\n", "1", false, 1,
     "1\t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t   \tD\r\n"},
    {"empty Edit1", "a\tb\r\nc\r\n", "", false, 1,
     "\tb\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\ta\tD\r\n"
     "\t\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tc\tD\r\n"},
    {"material with letters and spaces, untrimmed", "a\tb\r\n", " M 2a ", false, 1,
     " M 2a \tb\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\ta\tD\r\n"},
    {"Cyrillic CP1251 bytes pass unchanged",
     "\xC4\xE5\xF2\xE0\xEB\xFC \xB8\xA8\t\xC1\xEE\xEA\t\t\xB9 5", "\xC4\xD1\xCF", false, 1,
     "\xC4\xD1\xCF\t\xC1\xEE\xEA\t\xB9 5\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\t\xC4\xE5\xF2\xE0\xEB\xFC \xB8\xA8\tD\r\n"},
    {"rotation ticked: 1 on every line", "a\tb\r\nc\td\r\n", "1", true, 1,
     "1\tb\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\ta\tD\r\n"
     "1\td\t\t\t1\t\tFalse\tFalse\tFalse\tFalse\tFalse\tc\tD\r\n"},
    {"twice in a row: one set of lines", "a\tb\r\n", "1", false, 2,
     "1\tb\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\ta\tD\r\n"},
    {"empty input clears the old output", "", "1", false, 1, ""},
    {"a line wider than the area stays one line", "p1\t" + kWideField + "\r\n", "1", false, 1,
     "1\t" + kWideField + "\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tp1\tD\r\n"},
    {"an empty line in the middle gives no line", "a\tb\r\n\r\nc\td\r\n", "1", false, 1,
     "1\tb\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\ta\tD\r\n"
     "1\td\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tc\tD\r\n"},
    {"LF-only breaks", "a\tb\nc\td\n", "1", false, 1,
     "1\tb\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\ta\tD\r\n"
     "1\td\t\t\t0\t\tFalse\tFalse\tFalse\tFalse\tFalse\tc\tD\r\n"},
};

class ProcessTest : public AppTest {};

TEST_F(ProcessTest, Button1ConvertsMemo1IntoMemo2WithOneTextReplacement)
{
    for (const ProcessCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Form1->Memo1->SetText(c.input);
        Form1->Memo2->SetText("old output\r\n");
        Form1->Edit1->SetText(c.material);
        Form1->CheckBox1->SetChecked(c.rotate);
        if (c.input.size() > kWideField.size()) {
            ASSERT_GT(SendMessageA(Form1->Memo1->Handle(), EM_GETLINECOUNT, 0, 0), 1) << "the line must wrap on screen";
        }

        const EditCounter edits(Form1->Memo2->Handle());
        ASSERT_TRUE(edits.Hooked());
        for (int click = 0; click < c.clicks; ++click)
            Click(Form1->Button1->Handle());

        EXPECT_EQ(Form1->Memo2->Text(), c.output);
        EXPECT_EQ(edits.SetTexts(), c.clicks) << "one text replacement per Process";
        EXPECT_EQ(edits.ReplaceSels(), 0) << "no edit per line";
        EXPECT_EQ(Form1->Memo1->Text(), c.input);
        EXPECT_EQ(Form1->Edit1->Text(), c.material);
        EXPECT_EQ(Form1->CheckBox1->Checked(), c.rotate);
    }
}

}  // namespace
