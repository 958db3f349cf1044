#pragma once

#include <array>
#include <string_view>

namespace sorato::fonts {

// The faces the window was laid out for are Windows' own ("MS UI Gothic", "ＭＳ Ｐゴシック");
// where they are missing, these stand in, in order: IPA Gothic (Debian's
// fonts-ipafont-gothic, proportional first), then the Japanese faces of macOS and iOS,
// of Android and of newer Windows.
inline constexpr std::array<std::string_view, 2> kIpaGothic = {"IPAPGothic", "IPAGothic"};
inline constexpr std::array<std::string_view, 6> kOtherSystems = {
    "Hiragino Sans", "Hiragino Kaku Gothic ProN",
    "Noto Sans JP",  "Noto Sans CJK JP",
    "Yu Gothic UI",  "Meiryo UI"};
// Another name a Windows machine knows "ＭＳ Ｐゴシック" by.
inline constexpr std::string_view kPGothicLatinName = "MS PGothic";

}  // namespace sorato::fonts
