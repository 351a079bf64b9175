#pragma once

#include <string>
#include <string_view>

// The program's own texts are UTF-8 in the source and reach Windows as UTF-16.
std::wstring Widen(std::u8string_view text);

// A UTF-16 text in the system's ANSI code page, for the ANSI calls.
std::string ToAnsi(std::wstring_view text);
