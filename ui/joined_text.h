#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

// Texts joined at compile time from literals and constants, kept as static
// data that the window descriptions point into:
//
//   inline constexpr auto kJoined = JoinText(u8"to ", kName);
//   ... .text = TextView(kJoined) ...

template <std::size_t... N>
constexpr auto JoinText(const char8_t (&... parts)[N])
{
    std::array<char8_t, (N + ...) - sizeof...(N) + 1> joined{};
    std::size_t at = 0;
    ((std::copy_n(parts, N - 1, joined.begin() + at), at += N - 1), ...);
    return joined;
}

// The joined text without its terminating NUL.
template <std::size_t N>
constexpr std::u8string_view TextView(const std::array<char8_t, N>& text)
{
    return {text.data(), N - 1};
}
