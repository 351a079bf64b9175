#include "ui/unit2.h"

TForm2* Form2 = nullptr;

namespace {

const ControlRow kControls[] = {
    {.control = Field<&TForm2::Memo1>, .name = "Memo1", .bounds = {8, 8, 721, 369},
     .font = FontSpec{.size = 12, .bold = true}, .tabOrder = 0, .border = false, .readOnly = true,
     .parentColour = true},
};

const FormDescription kDescription = {
    .className = "TForm2",
    .name = "Form2",
    .caption = u8"Помощь",
    .border = FormBorder::Dialog,
    .clientWidth = 737,
    .clientHeight = 391,
    .position = FormPosition::MainFormCenter,
    .controls = kControls,
};

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner)
{
    Load(kDescription);
}
