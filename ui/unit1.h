#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/winxp.h"

// The main window: input and output areas, material number, rotation, the four
// command buttons and the link to the maker's site.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    TMemo* Memo1 = nullptr;
    TButton* Button1 = nullptr;
    TMemo* Memo2 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button3 = nullptr;
    TWinXP* WinXP1 = nullptr;
    TEdit* Edit1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TButton* Button4 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label1 = nullptr;

    // Process: Memo1's part lines converted into Memo2.
    void Button1Click(TComponent* Sender);
    // Paste: Memo1's text replaced by the clipboard's.
    void Button2Click(TComponent* Sender);
    // Help: the help window shown and activated.
    void Button4Click(TComponent* Sender);
    // Link: the maker's home page in the default browser.
    void Label6Click(TComponent* Sender);
    // Copy: Memo2's text onto the clipboard.
    void Button3Click(TComponent* Sender);
};

extern TForm1* Form1;
