#include <iostream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#elif !defined(__EMSCRIPTEN__)
#include <csignal>
#endif

#include "Driver.h"

int main() {
#ifdef _WIN32
  // The same bytes in and out as on Linux: no CR LF added, no Ctrl-Z read as the end.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#elif !defined(__EMSCRIPTEN__)
  // A closed pipe is a failed write, reported and ended with a status, as on Windows.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::ios::sync_with_stdio(false);
  sorato::Driver driver(std::cout, std::cerr);
  return driver.run(std::cin);
}
