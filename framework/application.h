#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "framework/component.h"

class TForm;

// The application object: its hidden window stands for the program on the
// taskbar and owns every form; it creates the forms, runs the message loop and
// shows the failures that commands raise.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Makes the application window (hidden until the main form shows).
    void Initialize();
    void SetTitle(std::u8string_view title);

    HWND Handle() const { return handle_; }
    HICON Icon() const { return icon_; }
    TForm* MainForm() const { return mainForm_; }

    // Creates a form from its description and stores it in the reference; the
    // first form created becomes the main form.
    template <class Form>
    void CreateForm(Form*& reference)
    {
        auto* form = new Form(this);
        if (!mainForm_)
            mainForm_ = form;
        reference = form;
    }

    // Shows the main form, then handles messages until Terminate.
    void Run();
    // Shows the main form as Run does, honouring the process's show command.
    void ShowMainForm();
    // Handles one waiting message; false when none was waiting.
    bool ProcessMessage();
    // Handles every waiting message.
    void ProcessMessages();
    // Handles one message, waiting for it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void Minimize();

    // The default failure display, for the exception being handled: called
    // inside a catch block; never throws.
    void HandleException() noexcept;

private:
    template <class Object>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend class TForm;

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowFailure(const std::string& message);
    void ActivateTopForm();

    HWND handle_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::vector<TForm*> hiddenWhileMinimised_;  // shown again when the application is restored
};

extern TApplication Application;

// Runs the program's start-up (initialise, create the forms, run) and returns
// the exit code: 0, or 1 after a failure that escaped it, which is shown first
// in a task-modal "Application Error" box.
int RunProgram(void (*startup)());
