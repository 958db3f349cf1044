#include <iostream>

#include "Driver.h"

int main() {
  std::ios::sync_with_stdio(false);
  sorato::Driver driver(std::cout, std::cerr);
  return driver.run(std::cin);
}
