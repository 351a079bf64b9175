#pragma once

#include "framework/controls.h"
#include "framework/form.h"

// The help window: the steps of the work, as a fixed text.
class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);

    TMemo* Memo1 = nullptr;
};

extern TForm2* Form2;
