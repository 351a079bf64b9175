#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

// The maker's credit: in the main window's caption, on its link and in the help
// text. The address is a reserved example domain until the maker publishes one.

inline constexpr char8_t kMakerSignature[] = u8"Dovrin";
// The maker's home page, opened by the link.
inline constexpr char8_t kMakerSite[] = u8"https://dovrin.example/";
// The link's caption: the site's address as people write it.
inline constexpr char8_t kMakerSiteCaption[] = u8"dovrin.example";
inline constexpr char8_t kMakerContact[] = u8"Вопросы и предложения: через сайт";

namespace maker_detail {
template <std::size_t... N>
constexpr auto Join(const char8_t (&... parts)[N])
{
    std::array<char8_t, (N + ...) - sizeof...(N) + 1> joined{};
    std::size_t at = 0;
    ((std::copy_n(parts, N - 1, joined.begin() + at), at += N - 1), ...);
    return joined;
}
template <std::size_t N>
constexpr std::u8string_view View(const std::array<char8_t, N>& text)
{
    return {text.data(), N - 1};
}
inline constexpr auto kMainCaption =
    Join(u8"PRO100 to Cutting 3 converter ", kMakerSignature, u8" (", kMakerSite, u8")");
}  // namespace maker_detail

// "PRO100 to Cutting 3 converter" and the credit: the signature, then the site
// in parentheses.
inline constexpr std::u8string_view kMainCaption = maker_detail::View(maker_detail::kMainCaption);
