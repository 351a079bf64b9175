// The window framework on forms of its own: the default failure display, the
// one-TWinXP rule, invalid descriptions, the last-resort display at start-up,
// a secondary form that hides on close, focus on activation, and minimising.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <new>
#include <regex>
#include <stdexcept>
#include <span>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/exception.h"
#include "framework/form.h"
#include "framework/placement.h"
#include "framework/window_face.h"
#include "framework/winxp.h"
#include "window_test_support.h"

namespace {

using namespace window_test;

// What Button1 of the main test form does after it changed Memo1.
std::function<void()> failure;

class TMainTestForm : public TForm {
public:
    explicit TMainTestForm(TComponent* owner);

    TMemo* Memo1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    int button2Clicks = 0;

    void Button1Click(TComponent*)
    {
        Memo1->SetText("changed");
        SetCapture(Memo1->Handle());
        failure();
    }
    void Button2Click(TComponent*) { ++button2Clicks; }
};

const ControlRow kMainControls[] = {
    {.control = Field<&TMainTestForm::Memo1>, .name = "Memo1", .bounds = {8, 8, 200, 100}, .tabOrder = 0},
    {.control = Field<&TMainTestForm::Button1>, .name = "Button1", .bounds = {8, 120, 75, 25}, .text = u8"Fail",
     .tabOrder = 1, .onClick = Handler<&TMainTestForm::Button1Click>},
    {.control = Field<&TMainTestForm::Button2>, .name = "Button2", .bounds = {90, 120, 75, 25}, .text = u8"Count",
     .tabOrder = 2, .onClick = Handler<&TMainTestForm::Button2Click>},
};

TMainTestForm::TMainTestForm(TComponent* owner) : TForm(owner)
{
    Load({.className = "TMainTestForm", .name = "MainTestForm", .caption = u8"Main", .width = 400, .height = 300,
          .controls = kMainControls});
}

class TSecondTestForm : public TForm {
public:
    explicit TSecondTestForm(TComponent* owner);

    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;
};

const ControlRow kSecondControls[] = {
    {.control = Field<&TSecondTestForm::Edit1>, .name = "Edit1", .bounds = {8, 8, 100, 17}, .tabOrder = 0},
    {.control = Field<&TSecondTestForm::Button1>, .name = "Button1", .bounds = {8, 40, 75, 25}, .tabOrder = 1},
};

TSecondTestForm::TSecondTestForm(TComponent* owner) : TForm(owner)
{
    Load({.className = "TSecondTestForm", .name = "SecondTestForm", .caption = u8"Second", .border = FormBorder::Dialog,
          .clientWidth = 300, .clientHeight = 200, .position = FormPosition::MainFormCenter,
          .controls = kSecondControls});
}

// A form made from whatever description a test hands it.
class TProbeForm : public TForm {
public:
    TProbeForm(TComponent* owner, const FormDescription& description) : TForm(owner) { Load(description); }

    TWinXP* WinXP1 = nullptr;
    TWinXP* WinXP2 = nullptr;
    TMemo* Memo1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TEdit* Edit1 = nullptr;
};

const ControlRow kTwoWinXP[] = {
    {.control = Field<&TProbeForm::WinXP1>, .name = "WinXP1"},
    {.control = Field<&TProbeForm::Memo1>, .name = "Memo1", .bounds = {8, 8, 560, 100}, .tabOrder = 0},
    {.control = Field<&TProbeForm::WinXP2>, .name = "WinXP2"},
};

FormDescription Probe(std::span<const ControlRow> controls)
{
    return {.className = "TProbeForm", .name = "ProbeForm", .width = 200, .height = 200, .controls = controls};
}

TMainTestForm* mainForm = nullptr;
TSecondTestForm* secondForm = nullptr;

class FrameworkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application.Initialize();
        Application.SetTitle(u8"Dovrin");
        Application.CreateForm(mainForm);
        Application.CreateForm(secondForm);
        Application.ShowMainForm();
        PumpUntil([] { return GetActiveWindow() == mainForm->Handle(); });
    }

    void SetUp() override
    {
        secondForm->Hide();
        mainForm->BringToFront();
        ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == mainForm->Handle(); }));
    }
};

struct FailureCase {
    const char* name;
    std::function<void()> raise;
    const char* shown;  // nullptr: nothing shown
};

const FailureCase kFailureCases[] = {
    {"silent abort", [] { throw EAbort(); }, nullptr},
    {"message gets a period", [] { throw Exception("Cannot do it"); }, "Cannot do it."},
    {"message with its own period", [] { throw Exception("Cannot do it."); }, "Cannot do it."},
    {"empty message", [] { throw Exception(""); }, ""},
    {"last byte below the period", [] { throw Exception("Cannot do it "); }, "Cannot do it "},
    {"Cyrillic last byte, unsigned", [] { throw Exception("\xCD\xE5\xF2"); }, "\xCD\xE5\xF2."},
    {"out of memory", [] { throw std::bad_alloc(); }, "Out of memory."},
    {"standard exception", [] { throw std::runtime_error("Broken"); }, "Broken."},
};

TEST_F(FrameworkTest, FailureDisplay)
{
    // The second form shows too: every window of the program is disabled while
    // the box shows, not only the box's owner.
    secondForm->Show();
    PumpUntil([] { return secondForm->Visible(); });
    for (const FailureCase& c : kFailureCases) {
        SCOPED_TRACE(c.name);
        mainForm->BringToFront();
        ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == mainForm->Handle(); }));
        mainForm->Memo1->SetText("");
        failure = c.raise;
        MessageBoxRecorder boxes;
        Click(mainForm->Button1->Handle());

        EXPECT_EQ(mainForm->Memo1->Text(), "changed") << "what the command changed stays changed";
        EXPECT_EQ(GetCapture(), nullptr) << "the capture was cancelled";
        if (!c.shown) {
            EXPECT_TRUE(boxes.Shown().empty());
        } else {
            ASSERT_EQ(boxes.Shown().size(), 1u);
            const ShownBox& box = boxes.Shown()[0];
            EXPECT_EQ(box.text, c.shown);
            EXPECT_EQ(box.caption, "Dovrin");
            EXPECT_EQ(box.flags, UINT{MB_OK | MB_ICONERROR});
            EXPECT_EQ(box.owner, Application.Handle());
            EXPECT_EQ(box.capture, nullptr);
            EXPECT_TRUE(box.enabledWindows.empty()) << box.enabledWindows.size() << " windows stayed enabled";
        }
        EXPECT_TRUE(IsWindowEnabled(mainForm->Handle()));
        EXPECT_TRUE(IsWindowEnabled(secondForm->Handle()));
        EXPECT_TRUE(IsWindowEnabled(Application.Handle()));
        EXPECT_EQ(GetActiveWindow(), mainForm->Handle()) << "the window active before is active again";

        const int clicks = mainForm->button2Clicks;
        Click(mainForm->Button2->Handle());
        EXPECT_EQ(mainForm->button2Clicks, clicks + 1) << "the loop goes on";
    }
}

TEST_F(FrameworkTest, OneTWinXPPerForm)
{
    const std::size_t forms = Application.Components().size();
    try {
        TProbeForm(&Application, Probe(kTwoWinXP));
        ADD_FAILURE() << "a second TWinXP loaded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Only one instance of TWinXP allowed on form");
    }
    EXPECT_EQ(Application.Components().size(), forms) << "the failed form is not kept";

    TProbeForm one(&Application, Probe(std::span(kTwoWinXP).first(2)));
    EXPECT_NE(one.WinXP1, nullptr);
    EXPECT_EQ(one.WinXP1->Name, "WinXP1");
    EXPECT_EQ(one.WinXP1->Owner(), &one);
}

// A form larger than the screen: the system makes the new window smaller
// before the controls exist, and the scroll bars must be there at once.
const ControlRow kFarControl[] = {
    {.control = Field<&TProbeForm::Memo1>, .name = "Memo1", .bounds = {3800, 2800, 100, 100}, .tabOrder = 0},
};

TEST_F(FrameworkTest, AFormLargerThanTheScreenHasScrollBarsFromTheStart)
{
    TProbeForm big(&Application,
                   {.className = "TProbeForm", .name = "BigForm", .width = 4000, .height = 3000, .controls = kFarControl});
    RECT outer;
    GetWindowRect(big.Handle(), &outer);
    ASSERT_LT(outer.right - outer.left, 4000) << "the system keeps a new window within the screen";
    const auto style = static_cast<DWORD>(GetWindowLongW(big.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), DWORD{WS_HSCROLL | WS_VSCROLL});
}

TEST_F(FrameworkTest, InvalidDescriptionsFail)
{
    const ControlRow duplicate[] = {
        {.control = Field<&TProbeForm::Memo1>, .name = "Memo1", .bounds = {8, 8, 50, 50}},
        {.control = Field<&TProbeForm::Label1>, .name = "Memo1", .bounds = {8, 80, 50, 13}},
    };
    const ControlRow unknownParent[] = {
        {.control = Field<&TProbeForm::Label1>, .name = "Label1", .parent = "GroupBox9", .bounds = {8, 8, 50, 13}},
    };
    const ControlRow parentNotAGroupBox[] = {
        {.control = Field<&TProbeForm::Memo1>, .name = "Memo1", .bounds = {8, 8, 50, 50}},
        {.control = Field<&TProbeForm::Label1>, .name = "Label1", .parent = "Memo1", .bounds = {8, 8, 50, 13}},
    };
    const ControlRow sharedTabOrder[] = {
        {.control = Field<&TProbeForm::Memo1>, .name = "Memo1", .bounds = {8, 8, 50, 50}, .tabOrder = 0},
        {.control = Field<&TProbeForm::GroupBox1>, .name = "GroupBox1", .bounds = {8, 80, 50, 50}, .tabOrder = 0},
    };
    const ControlRow unnamed[] = {
        {.control = Field<&TProbeForm::Memo1>, .bounds = {8, 8, 50, 50}},
    };
    FormDescription bothSizes = Probe({});
    bothSizes.clientWidth = 100;
    bothSizes.clientHeight = 100;
    FormDescription noSize = Probe({});
    noSize.width = 0;
    const std::pair<const char*, FormDescription> cases[] = {
        {"duplicate name", Probe(duplicate)},
        {"unknown parent", Probe(unknownParent)},
        {"parent not a group box", Probe(parentNotAGroupBox)},
        {"shared tab order", Probe(sharedTabOrder)},
        {"component without a name", Probe(unnamed)},
        {"outer and client size", bothSizes},
        {"no size", noSize},
    };
    const std::size_t forms = Application.Components().size();
    for (const auto& [name, description] : cases) {
        SCOPED_TRACE(name);
        try {
            TProbeForm(&Application, description);
            ADD_FAILURE() << "loaded";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().rfind("Invalid description of form ProbeForm: ", 0), 0u) << e.Message();
        }
        EXPECT_EQ(Application.Components().size(), forms);
    }
}

TEST_F(FrameworkTest, FailedStartUpShowsTheLastResortBoxAndGivesExitCode1)
{
    const struct {
        void (*startup)();
        const char* text;
    } cases[] = {
        {[] { TProbeForm(&Application, Probe(kTwoWinXP)); },
         R"(Exception Exception in module framework_test\.exe at [0-9A-F]{8}\.
Only one instance of TWinXP allowed on form\.)"},
        {[] { throw std::bad_alloc(); },
         R"(Exception std::bad_alloc in module framework_test\.exe at 00000000\.
Out of memory\.)"},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        EXPECT_EQ(RunProgram(c.startup), 1);
        ASSERT_EQ(boxes.Shown().size(), 1u);
        const ShownBox& box = boxes.Shown()[0];
        EXPECT_TRUE(std::regex_match(box.text, std::regex(c.text))) << box.text;
        EXPECT_EQ(box.caption, "Application Error");
        EXPECT_EQ(box.flags, UINT{MB_OK | MB_ICONERROR | MB_TASKMODAL});
        EXPECT_EQ(box.owner, nullptr);
    }
    MessageBoxRecorder boxes;
    EXPECT_EQ(RunProgram([] {}), 0);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(FrameworkTest, SecondFormCentresOverTheMainFormOnceAndHidesOnClose)
{
    RECT main, own;
    GetWindowRect(mainForm->Handle(), &main);
    secondForm->Show();
    secondForm->BringToFront();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == secondForm->Handle(); }));
    GetWindowRect(secondForm->Handle(), &own);
    const Point expected = CentredOrigin({main.left, main.top, main.right - main.left, main.bottom - main.top},
                                         own.right - own.left, own.bottom - own.top);
    EXPECT_EQ(own.left, expected.x);
    EXPECT_EQ(own.top, expected.y);
    RECT client;
    GetClientRect(secondForm->Handle(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(GetWindow(secondForm->Handle(), GW_OWNER), Application.Handle());

    SendMessageW(secondForm->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(secondForm->Visible());
    EXPECT_TRUE(IsWindow(secondForm->Handle())) << "hidden, not destroyed";
    EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == mainForm->Handle(); })) << "the main form takes over";

    SetWindowPos(secondForm->Handle(), nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    secondForm->Show();
    GetWindowRect(secondForm->Handle(), &own);
    EXPECT_EQ(own.left, 5) << "later showings leave it where it was";
    EXPECT_EQ(own.top, 6);
}

TEST_F(FrameworkTest, FocusGoesToTheFirstTabStopThenBackToTheLastFocused)
{
    TProbeForm fresh(&Application, Probe(std::span(kTwoWinXP).first(2)));
    fresh.Show();
    fresh.BringToFront();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == fresh.Handle(); }));
    EXPECT_EQ(GetFocus(), fresh.Memo1->Handle());

    secondForm->Show();
    secondForm->BringToFront();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == secondForm->Handle(); }));
    SetFocus(secondForm->Button1->Handle());
    mainForm->BringToFront();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == mainForm->Handle(); }));
    secondForm->BringToFront();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == secondForm->Handle(); }));
    EXPECT_EQ(GetFocus(), secondForm->Button1->Handle());
}

TEST_F(FrameworkTest, MinimisingTheMainFormMinimisesTheApplication)
{
    secondForm->Show();
    SendMessageW(mainForm->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(PumpUntil([] { return IsIconic(Application.Handle()) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(mainForm->Handle()));
    EXPECT_FALSE(IsWindowVisible(secondForm->Handle()));

    SendMessageW(Application.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(PumpUntil([] { return !IsIconic(Application.Handle()) && IsWindowVisible(mainForm->Handle()); }));
    EXPECT_TRUE(IsWindowVisible(secondForm->Handle()));
    EXPECT_TRUE(PumpUntil([] {
        HWND active = GetActiveWindow();
        return active == mainForm->Handle() || active == secondForm->Handle();
    })) << "a form, not the invisible application window, is active";
}

// The face is chosen by measuring the forms' own captions in each candidate:
// DejaVu Sans is wider than the design face, DejaVu Sans Condensed as narrow.
const ControlRow kCheckBoxOf105[] = {
    {.control = Field<&TProbeForm::CheckBox1>, .name = "CheckBox1", .bounds = {8, 8, 105, 17},
     .text = u8"Вращать детали"},
};
const ControlRow kCheckBoxOf60[] = {
    {.control = Field<&TProbeForm::CheckBox1>, .name = "CheckBox1", .bounds = {8, 8, 60, 17},
     .text = u8"Вращать детали"},
};
// A label that sizes itself to its text, 102 pixels before an edit.
const ControlRow kLabelBeforeAnEdit[] = {
    {.control = Field<&TProbeForm::Label1>, .name = "Label1", .bounds = {8, 8, 95, 13}, .text = u8"Номер материала:"},
    {.control = Field<&TProbeForm::Edit1>, .name = "Edit1", .bounds = {110, 7, 25, 17}, .text = u8"1"},
};
// A help text whose line is as wide as the area allows in the narrow face only.
const ControlRow kHelpLine[] = {
    {.control = Field<&TProbeForm::Memo1>, .name = "Memo1", .bounds = {8, 8, 560, 100},
     .text = u8"7. Вставьте данные в Cutting3  (Cutting3 -> Таблица деталей\r\nфункции",
     .font = FontSpec{.size = 12, .bold = true}, .wideText = true},
};

struct FaceCase {
    const char* name;
    std::span<const ControlRow> controls;
    std::vector<std::wstring> candidates;
    std::wstring best;
    std::vector<bool> fits;  // for each installed candidate, in their order
};

const FaceCase kFaceCases[] = {
    {"check box fits the narrow face", kCheckBoxOf105, {L"DejaVu Sans", L"DejaVu Sans Condensed"},
     L"DejaVu Sans Condensed", {false, true}},
    {"the first face that fits wins", kCheckBoxOf105, {L"DejaVu Sans Condensed", L"MS Sans Serif"}, L"DejaVu Sans Condensed",
     {true, true}},
    {"nothing fits: the least overrun", kCheckBoxOf60, {L"DejaVu Sans", L"DejaVu Sans Condensed"},
     L"DejaVu Sans Condensed", {false, false}},
    {"a label must not reach the edit", kLabelBeforeAnEdit, {L"DejaVu Sans", L"DejaVu Sans Condensed"},
     L"DejaVu Sans Condensed", {false, true}},
    {"no help line may wrap", kHelpLine, {L"DejaVu Sans", L"DejaVu Sans Condensed"}, L"DejaVu Sans Condensed",
     {false, true}},
    {"faces not installed are left out", kCheckBoxOf105, {L"No Such Face", L"DejaVu Sans Condensed"},
     L"DejaVu Sans Condensed", {true}},
    {"no candidate installed", kCheckBoxOf105, {L"No Such Face"}, L"", {}},
};

class WindowFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(WindowFaceTest, MeasuredWithTheFormsOwnCaptions)
{
    const FaceCase& c = GetParam();
    FormDescription description = Probe(c.controls);
    description.textCharset = kCyrillicCharset;
    const FormDescription* forms[] = {&description};
    const std::vector<FaceFit> fits = MeasureFaces(forms, c.candidates);
    ASSERT_EQ(fits.size(), c.fits.size());
    for (std::size_t i = 0; i < fits.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(fits[i].designHeight) << "13 pixels high at the design size";
        EXPECT_EQ(fits[i].Fits(), c.fits[i]) << "overrun " << fits[i].overrun;
    }
    EXPECT_EQ(BestFace(fits), c.best);
}

INSTANTIATE_TEST_SUITE_P(Faces, WindowFaceTest, ::testing::ValuesIn(kFaceCases),
                         [](const ::testing::TestParamInfo<FaceCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

}  // namespace
