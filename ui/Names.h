#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace sorato {

// The names of an enumeration's values, indexed by value: how the driver and a trace
// spell properties and events.
template <typename E, std::size_t N>
struct NameTable {
  std::array<std::string_view, N> names;

  constexpr std::string_view operator[](E e) const { return names[static_cast<std::size_t>(e)]; }
  constexpr bool find(std::string_view name, E& out) const {
    for (std::size_t i = 0; i < N; ++i) {
      if (names[i] == name) {
        out = static_cast<E>(i);
        return true;
      }
    }
    return false;
  }
};

}  // namespace sorato
