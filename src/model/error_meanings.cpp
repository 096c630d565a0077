#include "model/error_meanings.h"

namespace scenario {

std::string_view error_meaning(FailureCode code) {
  for (const ErrorMeaning& m : kErrorMeanings) {
    if (m.code == code) return m.meaning;
  }
  return "unknown error";
}

}  // namespace scenario
