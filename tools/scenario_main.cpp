#include <iostream>

#include "tool_main.h"

int main(int argc, char** argv) {
  return scenario::tool::run_tool(argc, argv, std::cout, std::cerr);
}
