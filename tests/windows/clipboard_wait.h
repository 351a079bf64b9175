#pragma once

#include <windows.h>

#include <initializer_list>

// Waits until one of the handles is signalled, handling this thread's window
// messages meanwhile: another program's clipboard calls may send messages to
// our windows and wait for the answer. Returns the index of the signalled
// handle, or -1 once the timeout has passed.
int WaitWithMessages(std::initializer_list<HANDLE> handles, DWORD timeoutMs);
