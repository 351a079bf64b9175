// The program's entry: the application titled "Dovrin", the main window, the
// help window, and the message loop until the main window is closed.
#include <windows.h>

#include "framework/application.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunProgram([] {
        Application.Initialize();
        Application.SetTitle(u8"Dovrin");
        Application.CreateForm(Form1);
        Application.CreateForm(Form2);
        Application.Run();
    });
}
