// The folder Qt's start-up asks for under XDG_RUNTIME_DIR (and creates when it is
// missing).  A test or tool that starts Qt where no login session made one (a bare
// ctest, CI) makes its own private one here, and removes it at exit.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace sorato::testing {

class RuntimeDir {
 public:
  RuntimeDir() {
    if (const char* set = std::getenv("XDG_RUNTIME_DIR");
        set && *set && std::filesystem::is_directory(set))
      return;
    std::string pattern = (std::filesystem::temp_directory_path() / "sorato-runtime-XXXXXX");
    if (const char* made = ::mkdtemp(pattern.data())) {  // mode 0700, as Qt wants it
      made_ = made;
      ::setenv("XDG_RUNTIME_DIR", made, 1);
    }
  }
  ~RuntimeDir() {
    std::error_code ignored;
    if (!made_.empty()) std::filesystem::remove_all(made_, ignored);
  }
  RuntimeDir(const RuntimeDir&) = delete;
  RuntimeDir& operator=(const RuntimeDir&) = delete;

 private:
  std::string made_;
};

}  // namespace sorato::testing
