#include "ui/unit1.h"

#include <string>

#include "clipboard/clipboard_text.h"
#include "clipboard/win32_clipboard.h"
#include "conversion/part_list.h"
#include "framework/application.h"
#include "framework/platform.h"
#include "ui/maker.h"
#include "ui/unit2.h"

TForm1* Form1 = nullptr;

namespace {

constexpr FontSpec kBold{.bold = true};

const ControlRow kControls[] = {
    {.control = Field<&TForm1::Label2>, .name = "Label2", .bounds = {16, 8, 117, 13},
     .text = u8"Данные из PRO100", .font = kBold},
    {.control = Field<&TForm1::Label4>, .name = "Label4", .bounds = {248, 8, 306, 13},
     .text = u8"PRO100 -> Инструменты -> Отчеты и расчеты -> Копировать"},
    {.control = Field<&TForm1::Memo1>, .name = "Memo1", .bounds = {8, 24, 713, 264}, .tabOrder = 0,
     .scrollBars = ScrollBars::Vertical},
    {.control = Field<&TForm1::Label3>, .name = "Label3", .bounds = {16, 296, 195, 13},
     .text = u8"Данные для переноса в Cutting3", .font = kBold},
    {.control = Field<&TForm1::Label5>, .name = "Label5", .bounds = {248, 296, 374, 13},
     .text = u8"Cutting3 -> Таблица деталей -> Основные функции -> Добавить из буфера"},
    {.control = Field<&TForm1::Memo2>, .name = "Memo2", .bounds = {8, 312, 713, 264}, .tabOrder = 2,
     .scrollBars = ScrollBars::Vertical},
    {.control = Field<&TForm1::GroupBox1>, .name = "GroupBox1", .bounds = {728, 8, 145, 193},
     .text = u8"Управление", .font = kBold, .tabOrder = 7, .tabStop = false},
    {.control = Field<&TForm1::Label1>, .name = "Label1", .parent = "GroupBox1", .bounds = {10, 17, 95, 13},
     .text = u8"Номер материала:", .font = FontSpec{}},
    {.control = Field<&TForm1::Edit1>, .name = "Edit1", .bounds = {840, 24, 25, 17}, .text = u8"1", .tabOrder = 6},
    {.control = Field<&TForm1::CheckBox1>, .name = "CheckBox1", .bounds = {736, 48, 105, 17},
     .text = u8"Вращать детали", .tabOrder = 3},
    {.control = Field<&TForm1::Button2>, .name = "Button2", .bounds = {736, 72, 129, 25},
     .text = u8"Вставить из буфера", .tabOrder = 4, .onClick = Handler<&TForm1::Button2Click>},
    {.control = Field<&TForm1::Button1>, .name = "Button1", .bounds = {736, 104, 129, 25}, .text = u8"Обратотать",
     .tabOrder = 1, .onClick = Handler<&TForm1::Button1Click>},
    {.control = Field<&TForm1::Button3>, .name = "Button3", .bounds = {736, 136, 129, 25},
     .text = u8"Копировать в буфер", .tabOrder = 5, .onClick = Handler<&TForm1::Button3Click>},
    {.control = Field<&TForm1::Button4>, .name = "Button4", .bounds = {736, 168, 129, 25}, .text = u8"Помощь",
     .tabOrder = 8, .onClick = Handler<&TForm1::Button4Click>},
    {.control = Field<&TForm1::Label6>, .name = "Label6", .bounds = {752, 560, 106, 13}, .text = kMakerSiteCaption,
     .font = FontSpec{.bold = true, .colour = Rgb(0, 0, 128)}, .hint = u8"Посетить сайт",
     .onClick = Handler<&TForm1::Label6Click>},
    {.control = Field<&TForm1::WinXP1>, .name = "WinXP1"},
};

const FormDescription kDescription = {
    .className = "TForm1",
    .name = "Form1",
    .caption = kMainCaption,
    .border = FormBorder::Sizeable,
    .width = 885,
    .height = 619,
    .position = FormPosition::ScreenCenter,
    .textCharset = kCyrillicCharset,
    .controls = kControls,
};
const StoredForm kStored{kDescription};

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner)
{
    Load(kDescription);
}

void TForm1::Button1Click(TComponent*)
{
    // The whole result goes in with one text replacement: a word-wrapping edit
    // control is slow per edit. Should the conversion fail part-way, the lines
    // made so far are in Memo2 before the failure is shown.
    std::string output;
    try {
        const std::string input = Memo1->Text();
        const std::string material = Edit1->Text();
        const std::string_view rotation = RotationFlag(CheckBox1->Checked());
        ConvertPartList(input, material, rotation, [&output](std::string_view line) { output += line; });
    } catch (...) {
        Memo2->SetText(output);
        throw;
    }
    Memo2->SetText(output);
}

void TForm1::Button2Click(TComponent*)
{
    // Whatever the result: no text on the clipboard empties Memo1. The same text
    // leaves Memo1 untouched, caret and undo included.
    std::string text;
    ReadClipboardText(Win32Clipboard(), Handle(), text);
    if (text != Memo1->Text())
        Memo1->SetText(text);
}

void TForm1::Button4Click(TComponent*)
{
    Form2->Show();
    Form2->BringToFront();
}

void TForm1::Label6Click(TComponent*)
{
    // Owned by the application window; the result is not looked at.
    Platform.shellExecute(Application.Handle(), nullptr, reinterpret_cast<const char*>(kMakerSite), nullptr,
                          nullptr, SW_SHOWNORMAL);
}

void TForm1::Button3Click(TComponent*)
{
    WriteClipboardText(Win32Clipboard(), Handle(), Memo2->Text());
}
