#pragma once

#include <string_view>

#include "ui/joined_text.h"

// The maker's credit: in the main window's caption, on its link and in the help
// text. The address is a reserved example domain until the maker publishes one.

inline constexpr char8_t kMakerSignature[] = u8"Dovrin";
// The maker's home page, opened by the link.
inline constexpr char8_t kMakerSite[] = u8"https://dovrin.example/";
// The link's caption: the site's address as people write it.
inline constexpr char8_t kMakerSiteCaption[] = u8"dovrin.example";
inline constexpr char8_t kMakerContact[] = u8"Вопросы и предложения: через сайт";

namespace maker_detail {
inline constexpr auto kMainCaption =
    JoinText(u8"PRO100 to Cutting 3 converter ", kMakerSignature, u8" (", kMakerSite, u8")");
}  // namespace maker_detail

// "PRO100 to Cutting 3 converter" and the credit: the signature, then the site
// in parentheses.
inline constexpr std::u8string_view kMainCaption = TextView(maker_detail::kMainCaption);
