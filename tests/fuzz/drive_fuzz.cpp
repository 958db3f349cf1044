// libFuzzer target: sorato-drive's reader fed any bytes.  Whatever the script, the run
// ends with status 0 and nothing on standard error, or with status 2 and exactly one
// line "error: line N: ...": never a crash, a hang, an out-of-bounds read or another
// outcome.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/Driver.h"
#include "game/RandomSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out, err;
  sorato::SeededRandom fallback(size);  // the same input always plays the same game
  sorato::Driver driver(out, err, &fallback);
  const int status = driver.run(in);
  const std::string e = err.str();
  const bool oneErrorLine = e.starts_with("error: line ") && e.find('\n') == e.size() - 1;
  if (!(status == 0 && e.empty()) && !(status == 2 && oneErrorLine)) std::abort();
  return 0;
}
