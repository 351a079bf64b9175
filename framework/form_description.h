#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/placement.h"

// A form as data: one FormDescription per window class and one ControlRow per
// control, read when the form is created. Rows bind the form's references and
// handlers by member pointer:
//
//   {.control = Field<&TForm1::Button1>, .name = "Button1", .bounds = {736, 104, 129, 25},
//    .text = u8"Обратотать", .tabOrder = 1, .onClick = Handler<&TForm1::Button1Click>},

class TComponent;
class TForm;
class TButton;
class TCheckBox;
class TGroupBox;
class TLabel;
class TMemo;
class TEdit;

using Colour = unsigned long;  // 0x00BBGGRR, as COLORREF

constexpr Colour Rgb(unsigned char red, unsigned char green, unsigned char blue)
{
    return red | (green << 8) | (static_cast<Colour>(blue) << 16);
}

// "MS Sans Serif" (or a substitute of the same size) at a point size for 96 dpi.
struct FontSpec {
    int size = 8;
    bool bold = false;
    std::optional<Colour> colour{};  // none: the system's window-text colour
};

enum class ScrollBars { None, Vertical };
enum class FormBorder { Sizeable, Dialog };
enum class FormPosition { ScreenCenter, MainFormCenter };

inline constexpr int kNoTabOrder = -1;
inline constexpr int kDefaultCharset = 1;   // DEFAULT_CHARSET: the ANSI code page's
inline constexpr int kCyrillicCharset = 204;  // RUSSIAN_CHARSET

// The kinds of control whose captions have a box to fit; a group box may also be
// the parent of other controls.
enum class ControlKind { Other, Button, CheckBox, Label, GroupBox, Memo, Edit };

// Makes a row's component, owned by the form, and stores it in the form's reference.
struct Binding {
    TComponent* (*make)(TForm& form) = nullptr;
    ControlKind kind = ControlKind::Other;
};

using ClickHandler = void (*)(TForm& form, TComponent* sender);

namespace description_detail {
template <class>
struct MemberOf;
template <class Class, class Type>
struct MemberOf<Type Class::*> {
    using Owner = Class;
    using Member = Type;
};

template <class Pointer>
constexpr ControlKind KindOf()
{
    if constexpr (std::is_same_v<Pointer, TButton*>)
        return ControlKind::Button;
    else if constexpr (std::is_same_v<Pointer, TCheckBox*>)
        return ControlKind::CheckBox;
    else if constexpr (std::is_same_v<Pointer, TLabel*>)
        return ControlKind::Label;
    else if constexpr (std::is_same_v<Pointer, TGroupBox*>)
        return ControlKind::GroupBox;
    else if constexpr (std::is_same_v<Pointer, TMemo*>)
        return ControlKind::Memo;
    else if constexpr (std::is_same_v<Pointer, TEdit*>)
        return ControlKind::Edit;
    else
        return ControlKind::Other;
}
}  // namespace description_detail

// Field<&TForm1::Memo1>: the row makes a TMemo and stores it in TForm1::Memo1.
template <auto Member>
inline constexpr Binding Field = {
    [](TForm& form) -> TComponent* {
        using Traits = description_detail::MemberOf<decltype(Member)>;
        using Component = std::remove_pointer_t<typename Traits::Member>;
        auto& owner = static_cast<typename Traits::Owner&>(form);
        auto* component = new Component(&owner);
        owner.*Member = component;
        return component;
    },
    description_detail::KindOf<typename description_detail::MemberOf<decltype(Member)>::Member>(),
};

// Handler<&TForm1::Button1Click>: the click calls that member of the form.
template <auto Method>
inline constexpr ClickHandler Handler = [](TForm& form, TComponent* sender) {
    using Owner = typename description_detail::MemberOf<decltype(Method)>::Owner;
    (static_cast<Owner&>(form).*Method)(sender);
};

struct ControlRow {
    Binding control{};
    const char* name = nullptr;
    const char* parent = nullptr;  // a group box's name; none: the form
    Bounds bounds{};               // design pixels in the parent's client area
    std::u8string_view text{};
    std::optional<FontSpec> font{};  // none: the parent's font
    int tabOrder = kNoTabOrder;
    bool tabStop = true;  // for the kinds that take the focus
    bool border = true;   // the sunken edge of text areas and edits
    ScrollBars scrollBars = ScrollBars::None;
    bool readOnly = false;
    bool parentColour = false;  // a text area in the form's colour instead of the window colour
    bool wideText = false;      // a text area of the program's own text: a Unicode window, right on every code page
    std::u8string_view hint{};  // tooltip text; empty: none
    ClickHandler onClick = nullptr;
};

struct FormDescription {
    const char* className = nullptr;  // the window class, e.g. "TForm1"
    const char* name = nullptr;
    std::u8string_view caption{};
    FormBorder border = FormBorder::Sizeable;
    int width = 0;  // outer size, frame included ...
    int height = 0;
    int clientWidth = 0;  // ... or client size: exactly one of the two is given
    int clientHeight = 0;
    FormPosition position = FormPosition::ScreenCenter;
    FontSpec font{};
    // The character set of the form's own texts (a Windows charset number), so
    // that they show in a face that has their letters whatever the ANSI code
    // page. Text areas and edits that hold bytes of the ANSI code page take
    // the code page's own.
    int textCharset = kDefaultCharset;
    std::span<const ControlRow> controls{};
};

// True for a row whose control holds bytes of the ANSI code page.
constexpr bool HoldsAnsiText(const ControlRow& row)
{
    return (row.control.kind == ControlKind::Memo && !row.wideText) || row.control.kind == ControlKind::Edit;
}

// A row by its name, or none.
const ControlRow* FindRow(const FormDescription& d, std::string_view name);

// The font a row's control shows: its own, else its parent's, else the form's.
FontSpec RowFont(const FormDescription& d, const ControlRow& row);

// Lists a form's description among the program's stored forms, for what must
// be decided for all of them before the first form exists (the window face):
//
//   const StoredForm kStored{kDescription};   // at namespace scope, beside it
class StoredForm {
public:
    explicit StoredForm(const FormDescription& description);
    StoredForm(const StoredForm&) = delete;
    StoredForm& operator=(const StoredForm&) = delete;

    static std::vector<const FormDescription*> All();

private:
    const FormDescription& description_;
    const StoredForm* next_;
};
