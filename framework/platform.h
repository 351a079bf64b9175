#pragma once

#include <windows.h>

// Platform calls whose effects tests must see without a person or a browser:
// the real Win32 functions by default, replaced by a test for its duration.
struct PlatformCalls {
    int(WINAPI* messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);
    HINSTANCE(WINAPI* shellExecute)(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT showCommand);
};

extern PlatformCalls Platform;
