#pragma once

#include <filesystem>

namespace scenario {

// The file of the running program, as an absolute path; empty when the system will not say.
std::filesystem::path running_program_file();

}  // namespace scenario
