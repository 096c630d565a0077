#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tool_main.h"

namespace {

// The command line as UTF-8, whatever the system's code page, so that paths and names with any
// character reach the command intact.
std::string utf8(const wchar_t* wide) {
  const int needed = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (needed <= 1) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), needed, nullptr, nullptr);
  text.pop_back();  // the terminator
  return text;
}

// The command writes UTF-8; a console shows it as such while the command runs, and gets its own
// code page back afterwards.
class Utf8Console {
 public:
  Utf8Console() : previous_(GetConsoleOutputCP()) {
    if (previous_ != 0) SetConsoleOutputCP(CP_UTF8);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;
  ~Utf8Console() {
    if (previous_ != 0) SetConsoleOutputCP(previous_);
  }

 private:
  UINT previous_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int k = 0; k < argc; ++k) arguments.push_back(utf8(argv[k]));
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  // Line ends as on every other system: scripts read the same bytes from the command anywhere.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const Utf8Console console;
  return scenario::tool::run_tool(argc, pointers.data(), std::cout, std::cerr);
}
