#pragma once

#include <string>

#include "clipboard/clipboard_platform.h"

// Plain text (CF_TEXT: ANSI bytes and one terminating NUL) between the
// clipboard and the program, opened on behalf of the owner window.

// Reads the clipboard's text, up to its first NUL byte. True when the clipboard
// could be opened and held text; text is left as it was otherwise (the caller
// hands it in empty). Throws std::bad_alloc when the text cannot be built.
bool ReadClipboardText(ClipboardPlatform& platform, WindowHandle owner, std::string& text);

// Replaces the clipboard's contents with the text alone. False when the
// clipboard could not be opened (it is then unchanged) or refused the text.
// Throws std::bad_alloc, leaving the earlier contents, when the block for the
// text cannot be allocated or locked.
bool WriteClipboardText(ClipboardPlatform& platform, WindowHandle owner, std::string text);
