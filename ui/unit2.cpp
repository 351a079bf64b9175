#include "ui/unit2.h"

#include "ui/joined_text.h"
#include "ui/maker.h"

TForm2* Form2 = nullptr;

namespace {

// The steps of the work as the user reads them, then our signature, contact
// line and web address. Lines are separated by CR LF, with none after the
// last; the trailing spaces, the two spaces in step 7 and the empty line
// before "Всё просто:)" are part of the text.
constexpr auto kHelpText = JoinText(
    u8"1. Скопируйте данные из программы PRO100 (меню Инструменты -> Отчеты и \r\n"
    u8"расчеты -> Копировать)\r\n"
    u8"2. В данной программе нажмите \"Вставить из буфера\"\r\n"
    u8"3. Укажите цвет материала (если необходим) и настройте вращение \r\n"
    u8"деталей\r\n"
    u8"4. Удалите ненужные строки с параметрами деталей, которые вы не хотите \r\n"
    u8"добавлять в Cutting3 \r\n"
    u8"ВАЖНО удалять строки так, чтобы не осталось пустых строк после \r\n"
    u8"удаления!\r\n"
    u8"5. Нажмите \"Обработать\", после чего данные преобразуются в вид, \r\n"
    u8"понятный для Cutting3\r\n"
    u8"6. Нажмите \"Копировать в буфер\"\r\n"
    u8"7. Вставьте данные в Cutting3  (Cutting3 -> Таблица деталей -> Основные \r\n"
    u8"функции -> Добавить из буфера)\r\n"
    u8"\r\n"
    u8"Всё просто:)\r\n",
    kMakerSignature, u8"\r\n", kMakerContact, u8"\r\n", kMakerSite);

// The text reads as if printed on the window: no border, the window's colour,
// no scroll bars; read-only, yet the caret, selection and copying work. It is
// wide text, so it reads right whatever the ANSI code page.
const ControlRow kControls[] = {
    {.control = Field<&TForm2::Memo1>, .name = "Memo1", .bounds = {8, 8, 721, 369}, .text = TextView(kHelpText),
     .font = FontSpec{.size = 12, .bold = true}, .tabOrder = 0, .border = false, .readOnly = true,
     .parentColour = true, .wideText = true},
};

const FormDescription kDescription = {
    .className = "TForm2",
    .name = "Form2",
    .caption = u8"Помощь",
    .border = FormBorder::Dialog,
    .clientWidth = 737,
    .clientHeight = 391,
    .position = FormPosition::MainFormCenter,
    .textCharset = kCyrillicCharset,
    .controls = kControls,
};
const StoredForm kStored{kDescription};

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner)
{
    Load(kDescription);
}
