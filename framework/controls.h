#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "framework/component.h"
#include "framework/form_description.h"

// The controls: thin wrappers over the standard Win32 classes (EDIT, BUTTON,
// STATIC), so that with the manifest the system draws them in its visual style.
// Text areas and edits are ANSI windows: their text is bytes in the ANSI code
// page; a text area that holds the program's own text is a Unicode window.
// Captions from the descriptions go in through the wide API.

// What the form hands a control when it makes its window.
struct ControlSetup {
    HWND parent;
    int id;
    Bounds bounds;  // scaled to the actual text height
    HFONT font;
    Colour textColour;
};

class TControl : public TComponent {
public:
    HWND Handle() const { return handle_; }

    // Makes the window, as a child of setup.parent, from the description row.
    void Create(const ControlRow& row, const ControlSetup& setup);

    // A WM_COMMAND notification from this control, passed on by the form.
    void Notify(WORD code);

    // WM_CTLCOLOR*: sets the colours of the control's device context and
    // returns its background brush.
    HBRUSH Colours(HDC dc) const;

protected:
    explicit TControl(TComponent* owner) : TComponent(owner) {}

    struct WindowClass {
        const char* name;
        DWORD style;
        DWORD exStyle = 0;
        bool ansi = false;
        bool focusable = false;
        int background = COLOR_BTNFACE;
    };
    virtual WindowClass Class(const ControlRow& row) const = 0;
    virtual void Created() {}
    virtual bool IsClick(WORD) const { return false; }
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC original_ = nullptr;
    bool ansi_ = false;
    int background_ = COLOR_BTNFACE;
    Colour textColour_ = 0;
    ClickHandler onClick_ = nullptr;
};

// An ANSI edit control; the text is exact bytes.
class TCustomEdit : public TControl {
public:
    // The whole text (WM_GETTEXTLENGTH, then WM_GETTEXT).
    std::string Text() const;
    // Replaces the whole text in one WM_SETTEXT.
    void SetText(const std::string& text);

protected:
    using TControl::TControl;
    void Created() override;
};

// Multi-line text area: word wrap, Enter makes a line break, Tab and Esc are
// left to the window.
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner) : TCustomEdit(owner) {}

protected:
    WindowClass Class(const ControlRow& row) const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Single-line edit of fixed height.
class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}

protected:
    WindowClass Class(const ControlRow& row) const override;
};

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TComponent* owner) : TControl(owner) {}
    bool Checked() const;
    void SetChecked(bool checked);

protected:
    WindowClass Class(const ControlRow& row) const override;
    bool IsClick(WORD code) const override;
};

// Push button; never the default button.
class TButton : public TControl {
public:
    explicit TButton(TComponent* owner) : TControl(owner) {}

protected:
    WindowClass Class(const ControlRow& row) const override;
    bool IsClick(WORD code) const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Label sized to its text, on an opaque background.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner) : TControl(owner) {}

protected:
    WindowClass Class(const ControlRow& row) const override;
    void Created() override;
    bool IsClick(WORD code) const override;
};

// Group box; the controls inside it report to the form.
class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* owner) : TControl(owner) {}

protected:
    WindowClass Class(const ControlRow& row) const override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
