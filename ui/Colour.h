#pragma once

#include <cstdint>

namespace sorato {

// A colour as the window stores it: &H00BBGGRR (blue in the high byte), or &H800000nn
// for the system colour with index nn.
struct Colour {
  std::uint32_t value = 0;

  constexpr bool isSystem() const { return (value & 0xFF000000u) == 0x80000000u; }
  constexpr std::uint8_t red() const { return value & 0xFFu; }
  constexpr std::uint8_t green() const { return (value >> 8) & 0xFFu; }
  constexpr std::uint8_t blue() const { return (value >> 16) & 0xFFu; }

  friend constexpr bool operator==(Colour, Colour) = default;
};

namespace colours {
inline constexpr Colour WindowBackground{0x80000005};
inline constexpr Colour WindowText{0x80000008};
inline constexpr Colour ButtonFace{0x8000000F};
inline constexpr Colour ButtonText{0x80000012};
}  // namespace colours

// The plain colour a system colour stands for on this desktop: the usual white window,
// black text and light grey button face.  A plain colour is returned unchanged.
constexpr Colour resolveSystemColour(Colour c) {
  switch (c.value) {
    case colours::WindowBackground.value: return Colour{0x00FFFFFF};
    case colours::WindowText.value: return Colour{0x00000000};
    case colours::ButtonFace.value: return Colour{0x00F0F0F0};
    case colours::ButtonText.value: return Colour{0x00000000};
    default: return c.isSystem() ? Colour{0x00000000} : c;
  }
}

}  // namespace sorato
