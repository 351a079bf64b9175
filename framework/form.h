#pragma once

#include <windows.h>

#include <map>
#include <tuple>
#include <string_view>
#include <utility>

#include "framework/component.h"
#include "framework/form_description.h"
#include "framework/gdi_font.h"

class TControl;

// A window built from its description. The derived class declares a reference
// per control and its handlers, and calls Load from its constructor.
class TForm : public TComponent {
public:
    ~TForm() override;

    HWND Handle() const { return handle_; }
    bool Visible() const;

    // Makes the form visible without blocking; the first showing places it by
    // rule (centred on the screen, or over the main form).
    void Show(int command = SW_SHOW);
    void Hide();
    // Brings the form to the top of the window stack and activates it.
    void BringToFront();

    // The form of this window, or none when it is not a form's.
    static TForm* FromHandle(HWND window);

protected:
    explicit TForm(TComponent* owner);
    // Reads the description: the window, then the controls; throws Exception
    // when the description is invalid.
    void Load(const FormDescription& description);

private:
    template <class Object>
    friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    TControl* ControlFromHandle(HWND window) const;
    HFONT Font(const FontSpec& font, int charset);
    void Place();
    void RestoreFocus();
    void UpdateScrollBars();
    void Scroll(int bar, WORD request);
    void ScrollTo(Point origin);
    void AddHint(const TControl& control, std::u8string_view hint);

    HWND handle_ = nullptr;
    FormPosition position_ = FormPosition::ScreenCenter;
    bool placed_ = false;
    int textHeight_ = kDesignTextHeight;
    std::map<std::tuple<int, bool, int>, GdiFont> fonts_;
    HWND lastFocus_ = nullptr;
    HWND tooltip_ = nullptr;
    Point extent_{};  // right and bottom edge of the controls, for the scroll bars
    Point scroll_{};  // how far the client area is scrolled
    bool updatingScrollBars_ = false;
};
