#pragma once

// The Dovrin application inside a test program: the application window, Form1
// and Form2 created once as the program's entry creates them, and the main form
// shown as Run shows it. AppTest resets the main window before each test.

#include <windows.h>

#include <gtest/gtest.h>

#include "ui/unit1.h"
#include "ui/unit2.h"
#include "window_test_support.h"

namespace app_fixture {

using namespace window_test;

// Creates the application and its two forms and shows the main form, once per
// test program.
inline void StartApplication()
{
    if (Form1)
        return;
    Application.Initialize();
    Application.SetTitle(u8"Dovrin");
    Application.CreateForm(Form1);
    Application.CreateForm(Form2);
    Application.ShowMainForm();
    PumpUntil([] { return GetActiveWindow() == Form1->Handle(); });
}

// Tests on the running application: each starts with the main window as the
// program starts it (empty text areas, "1", unticked) and active.
class AppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartApplication(); }

    void SetUp() override
    {
        Form2->Hide();
        Form1->Memo1->SetText("");
        Form1->Memo2->SetText("");
        Form1->Edit1->SetText("1");
        Form1->CheckBox1->SetChecked(false);
        ShowWindow(Form1->Handle(), SW_RESTORE);
        Form1->BringToFront();
        ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == Form1->Handle(); }));
    }
};

}  // namespace app_fixture
