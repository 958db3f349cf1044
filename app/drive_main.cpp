#include <cstdio>
#include <iostream>
#include <streambuf>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#elif !defined(__EMSCRIPTEN__)
#include <csignal>
#endif

#include "Driver.h"

namespace {

// Standard input through the C library, alike on every platform: a read that fails (a
// folder, a closed or write-only descriptor) throws, which the stream turns into its bad
// bit, so that the driver can tell a read error from the end of the script.
class StdinBuffer : public std::streambuf {
 protected:
  int_type underflow() override {
    const std::size_t n = std::fread(buffer_, 1, sizeof buffer_, stdin);
    if (n == 0) {
      if (std::ferror(stdin)) throw std::ios_base::failure("standard input");
      return traits_type::eof();
    }
    setg(buffer_, buffer_, buffer_ + n);
    return traits_type::to_int_type(buffer_[0]);
  }

 private:
  char buffer_[1 << 16];
};

}  // namespace

int main(int argc, char**) {
  if (argc > 1) {
    std::cerr << "usage: sorato-drive < SCRIPT (the commands come on standard input; it takes "
                 "no arguments)\n";
    return sorato::Driver::kFailed;
  }
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
  StdinBuffer buffer;
  std::istream in(&buffer);
  sorato::Driver driver(std::cout, std::cerr);
  return driver.run(in);
}
