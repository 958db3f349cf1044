#include "Event.h"

#include <array>

namespace sorato {

namespace {
constexpr std::array<std::string_view, kEventCount> kEventNames = {"Load", "Click", "Timer",
                                                                   "MouseDown"};
}

std::string_view eventName(Event e) {
  return kEventNames[static_cast<std::size_t>(e)];
}

bool eventFromName(std::string_view name, Event& out) {
  for (std::size_t i = 0; i < kEventNames.size(); ++i) {
    if (kEventNames[i] == name) {
      out = static_cast<Event>(i);
      return true;
    }
  }
  return false;
}

}  // namespace sorato
