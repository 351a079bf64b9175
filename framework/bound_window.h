#pragma once

#include <windows.h>

#include "framework/application.h"

// The window procedure of the framework's own window classes. The C++ object is
// handed to CreateWindowExW as its creation parameter and bound to the window at
// WM_NCCREATE; every later message goes to its WndProc. No exception leaves
// here: a failure goes to the application's failure display, since unwinding
// through Windows' own frames would end the process.
template <class Object>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        object->handle_ = window;
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = object->WndProc(message, wParam, lParam);
    } catch (...) {
        Application.HandleException();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->handle_ = nullptr;
    }
    return result;
}
