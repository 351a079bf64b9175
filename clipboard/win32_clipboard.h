#pragma once

#include "clipboard/clipboard_platform.h"

// The Windows clipboard and global memory.
ClipboardPlatform& Win32Clipboard();
