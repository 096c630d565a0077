#include "verify_command.h"

#include <system_error>

#include "compile_command.h"
#include "compiled_files.h"
#include "inspect/set_checks.h"
#include "inspect_inputs.h"
#include "model/file_fault.h"

namespace scenario::tool {

namespace {

constexpr int kNotWhole = 1;

class Verifier {
 public:
  Verifier(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  void verify(const InputFile& input) {
    const std::optional<inspect::CompiledFile> file = load(input.path);
    if (!file) return;
    std::vector<std::string> problems;
    if (input.role == FileRole::table) {
      std::optional<inspect::TableFile> ignored;
      problems = inspect::check_table(*file, ignored);
    } else {
      problems = against_table(input, *file);
    }
    report(*file, problems);
  }

  // A file the set must have that is not there.
  void missing(const std::filesystem::path& path) {
    out_ << path_text(path) << ": missing from the set\n";
    raise(kNotWhole);
  }

  int status() const { return status_; }

 private:
  std::optional<inspect::CompiledFile> load(const std::filesystem::path& path) {
    LoadedFile loaded = load_compiled(path);
    if (loaded.file) return std::move(loaded.file);
    if (loaded.unreadable) {
      err_ << loaded.failure << '\n';
      raise(kToolFileFault);
    } else {
      out_ << loaded.failure << '\n';
      raise(kNotWhole);
    }
    return std::nullopt;
  }

  // Cells and profile are checked against the table of their set, whose own problems belong to
  // the table's check.
  std::vector<std::string> against_table(const InputFile& input,
                                         const inspect::CompiledFile& file) {
    const auto table_path = table_for(input);
    if (!table_path) {
      return {file.shown +
              ": no scenario table of its set is beside it, so neither its size nor its names "
              "can be checked"};
    }
    const std::optional<inspect::CompiledFile> table_file = load(*table_path);
    if (!table_file) return {file.shown + ": not checked, its table could not be read"};
    std::optional<inspect::TableFile> table;
    const std::vector<std::string> table_problems = inspect::check_table(*table_file, table);
    if (!table) {
      return {file.shown + ": not checked, its table is damaged: " + table_problems.front()};
    }
    return input.role == FileRole::cells ? inspect::check_cells(file, *table_file, *table)
                                         : inspect::check_profile(file, *table_file, *table);
  }

  void report(const inspect::CompiledFile& file, const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) out_ << problem << '\n';
    if (problems.empty()) {
      out_ << file.shown << ": whole\n";
    } else {
      raise(kNotWhole);
    }
  }

  void raise(int status) {
    if (status_ != kToolFileFault) status_ = status;
  }

  std::ostream& out_;
  std::ostream& err_;
  int status_ = kToolSuccess;
};

}  // namespace

int run_verify(const VerifyRequest& request, std::ostream& out, std::ostream& err) {
  std::vector<InputFile> files;
  std::vector<std::filesystem::path> missing;
  for (const std::filesystem::path& input : request.inputs) {
    std::string why;
    std::error_code error;
    if (std::filesystem::is_directory(input, error)) {
      const auto set = set_of_folder(input, request.line_name, request.train_number, why);
      if (!set) {
        err << "scenario verify: " << why << '\n';
        return kToolUsage;
      }
      // A set is whole only with its table and its cells; the profile is left out by a compile
      // without it.
      for (const auto& [path, role] :
           {std::pair{set->table, FileRole::table}, std::pair{set->cells, FileRole::cells}}) {
        if (std::filesystem::exists(path, error)) {
          files.push_back({path, role, set->table});
        } else {
          missing.push_back(path);
        }
      }
      if (!set->profile.empty() && std::filesystem::exists(set->profile, error)) {
        files.push_back({set->profile, FileRole::profile, set->table});
      }
      continue;
    }
    auto named = expand_inputs({input}, request.line_name, request.train_number, why);
    if (!named) {
      err << "scenario verify: " << why << '\n';
      return kToolUsage;
    }
    files.insert(files.end(), named->begin(), named->end());
  }

  Verifier verifier(out, err);
  for (const std::filesystem::path& path : missing) verifier.missing(path);
  for (const InputFile& file : files) verifier.verify(file);
  return verifier.status();
}

}  // namespace scenario::tool
