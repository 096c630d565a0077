#include "output/output_files.h"

namespace scenario {

std::optional<FileFault> write_output_files(const ScenarioState&, const std::filesystem::path&) {
  return std::nullopt;
}

}  // namespace scenario
