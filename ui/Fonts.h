#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace sorato::fonts {

// The faces the window's captions are measured in: Windows' own.
inline constexpr std::string_view kUiGothic = "MS UI Gothic";
inline constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";
// Another name a Windows machine knows "ＭＳ Ｐゴシック" by.
inline constexpr std::string_view kPGothicLatinName = "MS PGothic";

// Where those are missing, these stand in, in order: IPA Gothic (Debian's
// fonts-ipafont-gothic, proportional first), then the Japanese UI faces of current
// Windows, of macOS and iOS, and of Android.
inline constexpr std::array<std::string_view, 2> kIpaGothic = {"IPAPGothic", "IPAGothic"};
inline constexpr std::array<std::string_view, 6> kOtherSystems = {
    "Yu Gothic UI", "Meiryo UI",       "Hiragino Sans", "Hiragino Kaku Gothic ProN",
    "Noto Sans JP", "Noto Sans CJK JP"};

// IPA Gothic sets its kana wider than the faces above; where it stands in, a binding
// narrows it to this share of its width (the tightest caption, the heading 無かった言葉
// of a result list, then fits its label as in those faces), and where the toolkit can,
// draws its letters this many ems closer (the page, which cannot narrow a face, only
// that).
inline constexpr double kStandInWidth = 0.95;
inline constexpr double kStandInSpacing = -0.05;

// Whether the face a toolkit really draws with is one that is narrowed to fit.
inline bool narrowed(std::string_view family) {
  for (std::string_view f : kIpaGothic) {
    if (f == family) return true;
  }
  return false;
}

// The faces to ask for when a control names `face`, the most wanted first: the face
// itself, its other name, then the faces that stand in.  Every binding asks for these.
inline std::vector<std::string_view> faceList(std::string_view face) {
  std::vector<std::string_view> list;
  list.reserve(2 + kIpaGothic.size() + kOtherSystems.size());
  list.push_back(face);
  if (face == kPGothic) list.push_back(kPGothicLatinName);
  for (std::string_view f : kIpaGothic) list.push_back(f);
  for (std::string_view f : kOtherSystems) list.push_back(f);
  return list;
}

}  // namespace sorato::fonts
