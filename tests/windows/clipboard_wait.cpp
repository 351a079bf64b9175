#include "clipboard_wait.h"

int WaitWithMessages(std::initializer_list<HANDLE> handles, DWORD timeoutMs) {
    const DWORD count = static_cast<DWORD>(handles.size());
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const DWORD woken = MsgWaitForMultipleObjects(count, handles.begin(), FALSE, left, QS_ALLINPUT);
        if (woken < WAIT_OBJECT_0 + count) return static_cast<int>(woken - WAIT_OBJECT_0);
        if (woken != WAIT_OBJECT_0 + count) return -1;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}
