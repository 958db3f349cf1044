#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Sorato.h"

namespace sorato {

// What the driver and the tests' builds of the program read of a game, by the driver's
// expressions, in the driver's printed form.

struct UnknownExpression {
  std::string reason;
};

// The value of NAME.PROPERTY, a counter or flag of the game state (s, k, m3, An, Bn, st,
// stZ, Abtn, peekShown) or an entry of a word list (shownWord(3)); UnknownExpression,
// with the reason, for anything else.
std::string expressionValue(Sorato& game, std::string_view expr);

// A word of a script as an error names it: quoted, shortened, control bytes escaped.
std::string quoted(std::string_view s);
bool allDigits(std::string_view s);
// A whole number with an optional minus sign, within [lo, hi].
bool parseInteger(std::string_view s, std::int64_t lo, std::int64_t hi, std::int64_t& out);
// A decimal number such as 12, -3.5 or .25 (a sign only where allowed), as the nearest
// float; one beyond the floats' range reads as an infinity, for the caller to refuse.
bool parseDecimal(std::string_view s, bool allowSign, float& out);
// A value for the random source: a decimal number that is, as a float, at least 0 and
// below 1; else false, with what is wrong in `why`.
bool parseRandom(std::string_view s, float& out, std::string& why);

}  // namespace sorato
