#pragma once

#include <string>
#include <string_view>

#include "ui/Control.h"

namespace sorato {

// The driver's printed forms: JSON string literals, &H colours, twips as plain decimals.
std::string jsonString(std::string_view text);
std::string colourText(Colour c);
std::string decimalText(float v);
std::string propertyText(const PropValue& v);

}  // namespace sorato
