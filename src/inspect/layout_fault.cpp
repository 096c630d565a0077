#include "inspect/layout_fault.h"

namespace scenario::inspect {

std::string LayoutFault::describe() const {
  return file + ": byte " + std::to_string(offset) + ": " + problem;
}

std::string bytes_follow(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " byte follows" : " bytes follow");
}

}  // namespace scenario::inspect
