#include "soak/soak_case.h"

#include <cctype>
#include <nlohmann/json.hpp>
#include <optional>

#include "soak/file_rebuilder.h"
#include "soak/outcome_agreement.h"
#include "soak/pack_runs.h"

namespace scenario::testing {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr const char* kLine = "Soak Linea";
constexpr const char* kTrain = "7";

std::optional<json> parsed(const std::string& text) {
  json value = json::parse(text, nullptr, false);
  if (value.is_discarded()) return std::nullopt;
  return value;
}

// The first byte at which two byte strings part, as text.
std::string first_difference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  return "byte " + std::to_string(at) + " of " + std::to_string(b.size());
}

// A line of verify with the folder and every number taken out.
std::string verify_finding(std::string line, const std::string& folder) {
  for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder)) {
    line.erase(at, folder.size());
  }
  std::string kind;
  for (std::size_t k = 0; k < line.size(); ++k) {
    if (std::isdigit(static_cast<unsigned char>(line[k]))) {
      if (kind.empty() || kind.back() != '#') kind.push_back('#');
    } else {
      kind.push_back(line[k]);
    }
  }
  return kind;
}

class Case {
 public:
  Case(const GeneratedScenario& made, const fs::path& work, const fs::path& stub)
      : made_(made), work_(work), stub_(stub) {}

  CaseOutcome run(bool real_pack) {
    two_runs();
    compile();
    if (compiled_) {
      check();
      dump();
      verify();
    }
    if (real_pack) this->real_pack();
    return std::move(outcome_);
  }

 private:
  void wrong(Disagreement kind, std::string detail) {
    outcome_.wrong.push_back({kind, std::move(detail)});
  }

  ScenarioPayload payload() const { return {kLine, kTrain, made_.route, made_.train, "", "", ""}; }

  void two_runs() {
    first_ = run_pack_in(work_ / "first", payload());
    outcome_.pack_status = first_.status;
    first_files_ = folder_files(work_ / "first");
    const PackRun again = run_pack_in(work_ / "second", payload());
    if (again.status != first_.status) {
      wrong(Disagreement::two_runs, "two runs ended " + std::to_string(first_.status) + " and " +
                                        std::to_string(again.status));
    } else if (folder_files(work_ / "second") != first_files_) {
      wrong(Disagreement::two_runs, "two runs left different files");
    } else if (again.said != first_.said) {
      wrong(Disagreement::two_runs,
            "two runs said \"" + first_.said + "\" and \"" + again.said + "\"");
    }
  }

  void compile() {
    const fs::path author = work_ / "author";
    empty_folder(author);
    empty_folder(work_ / "out");
    route_ = (author / "route.txt").string();
    train_ = (author / "train.txt").string();
    write_bytes(route_, made_.route);
    write_bytes(train_, made_.train);
    const ToolRun run =
        run_scenario_command({"compile", "--route", route_, "--train", train_, "--line", kLine,
                              "--number", kTrain, "--out", (work_ / "out").string(), "--json"});
    compile_status_ = run.status;
    out_files_ = folder_files(work_ / "out");
    compiled_ = parsed(run.out);
    if (compiled_) {
      outcome_.error_code = compiled_->value("error_code", std::int64_t{0});
      const auto fatal = compiled_->find("fatal");
      outcome_.fatal =
          fatal != compiled_->end() && fatal->is_number_integer() ? fatal->get<std::int64_t>() : 0;
    }
    if (!compiled_) {
      return wrong(Disagreement::pack_and_compile, "scenario compile --json ended " +
                                                       std::to_string(run.status) +
                                                       " without a JSON object: " + run.err);
    }
    if (std::string why = compile_against_pack(first_, run.status, *compiled_, out_files_);
        !why.empty()) {
      return wrong(Disagreement::pack_and_compile, why);
    }
    for (const auto& [name, bytes] : out_files_) {
      const auto packed = first_files_.find(name);
      if (packed == first_files_.end()) {
        return wrong(Disagreement::pack_and_compile,
                     "scenario compile wrote " + name + ", the pack did not");
      }
      if (packed->second != bytes) {
        return wrong(Disagreement::pack_and_compile,
                     name + " differs between the pack and scenario compile at " +
                         first_difference(bytes, packed->second));
      }
    }
    for (const std::string& name :
         {std::string(kLine) + "_linea.dat", std::string(kLine) + "_" + kTrain + ".sim",
          std::string(kLine) + "_" + kTrain + ".dat"}) {
      if (first_files_.contains(name) && !out_files_.contains(name)) {
        return wrong(Disagreement::pack_and_compile,
                     "the pack wrote " + name + ", scenario compile did not");
      }
    }
  }

  void check() {
    const ToolRun run =
        run_scenario_command({"check", "--route", route_, "--train", train_, "--line", kLine,
                              "--number", kTrain, "--format", "json"});
    const auto checked = parsed(run.out);
    if (!checked) {
      return wrong(Disagreement::check_and_compile, "scenario check ended " +
                                                        std::to_string(run.status) +
                                                        " without a JSON object: " + run.err);
    }
    for (const json& d : (*checked)["diagnostics"]) {
      if (d.value("code", "") == "W11") skips_train_file_ = true;
    }
    const AuthorTexts texts = {{route_, made_.route}, {train_, made_.train}};
    if (std::string why =
            check_against_compile(*compiled_, compile_status_, *checked, run.status, texts);
        !why.empty()) {
      wrong(Disagreement::check_and_compile, why);
    }
  }

  void dump() {
    if (out_files_.empty()) return;
    std::vector<std::string> arguments = {"dump", "--format", "json"};
    for (const auto& [name, bytes] : out_files_)
      arguments.push_back((work_ / "out" / name).string());
    const ToolRun run = run_scenario_command(arguments);
    if (run.status != 0 || !run.err.empty()) {
      return wrong(Disagreement::dump_rebuild,
                   "scenario dump ended " + std::to_string(run.status) + ": " + run.err);
    }
    const std::vector<RebuiltFile> files = rebuild_files(run.out);
    if (files.size() != out_files_.size()) {
      return wrong(Disagreement::dump_rebuild,
                   "scenario dump gave " + std::to_string(files.size()) + " files of " +
                       std::to_string(out_files_.size()) +
                       (files.empty() ? std::string() : ": " + files.front().fault));
    }
    for (const RebuiltFile& rebuilt : files) {
      const std::string name = fs::path(rebuilt.file).filename().string();
      const auto original = out_files_.find(name);
      if (original == out_files_.end()) {
        wrong(Disagreement::dump_rebuild, "scenario dump named a file it was not given");
      } else if (!rebuilt.whole()) {
        wrong(Disagreement::dump_rebuild, name + " cannot be rebuilt: " + rebuilt.fault);
      } else if (rebuilt.bytes != original->second) {
        wrong(Disagreement::dump_rebuild, name + " rebuilt from its dump differs at " +
                                              first_difference(rebuilt.bytes, original->second));
      }
    }
  }

  void verify() {
    if (out_files_.empty()) return;
    const std::string folder = (work_ / "out").string();
    const ToolRun run = run_scenario_command({"verify", folder});
    if (compile_status_ == 0) {
      if (run.status != 0) {
        wrong(Disagreement::verify, "scenario verify ended " + std::to_string(run.status) +
                                        " on a clean set: " + run.out + run.err);
      }
      return;
    }
    outcome_.verify_on_failure.push_back("status " + std::to_string(run.status));
    std::size_t start = 0;
    const std::string said = run.out + run.err;
    for (std::size_t end = said.find('\n'); end != std::string::npos;
         start = end + 1, end = said.find('\n', start)) {
      outcome_.verify_on_failure.push_back(verify_finding(said.substr(start, end - start), folder));
    }
  }

  void real_pack() {
    outcome_.real_pack_run = true;
    const fs::path folder = work_ / "real";
    empty_folder(folder);
    std::vector<std::string> arguments = {"pack",         "--route",  route_,         "--train",
                                          train_,         "--line",   kLine,          "--number",
                                          kTrain,         "--target", "linux",        "--stub",
                                          stub_.string(), "-o",       folder.string()};
    // A scenario that fails is refused, as the compile failed it, and so is one whose train
    // file the pack skips whole (status 1), unless the author insists.
    const ToolRun refusal = run_scenario_command(arguments);
    int expected = compile_status_ < 0 ? -1 : compile_status_;
    if (expected == 0 && skips_train_file_) expected = 1;
    if (refusal.status != expected) {
      return wrong(Disagreement::real_pack,
                   "scenario pack ended " + std::to_string(refusal.status) + ", scenario compile " +
                       std::to_string(expected) + ": " + refusal.err);
    }
    if (refusal.status != 0) {
      if (!fs::is_empty(folder)) {
        return wrong(Disagreement::real_pack,
                     "scenario pack refused the scenario but wrote a file");
      }
      arguments.push_back("--allow-failures");
      const ToolRun packed = run_scenario_command(arguments);
      if (packed.status != 0) {
        return wrong(Disagreement::real_pack, "scenario pack --allow-failures ended " +
                                                  std::to_string(packed.status) + ": " +
                                                  packed.err);
      }
    }
    const fs::path pack = folder / (std::string(kLine) + "_" + kTrain);
    const ChildRun child = run_child(pack, work_);
    FolderFiles left = folder_files(folder);
    left.erase(pack.filename().string());
    if (child.status != first_.status) {
      return wrong(Disagreement::real_pack,
                   "the pack program ended " + std::to_string(child.status) +
                       ", its run in the soak " + std::to_string(first_.status) + ": " +
                       child.errors);
    }
    if (left != first_files_) {
      return wrong(Disagreement::real_pack,
                   "the pack program left other files than its run in the soak");
    }
    if (child.errors != first_.said) {
      wrong(Disagreement::real_pack, "the pack program said \"" + child.errors +
                                         "\", its run in the soak \"" + first_.said + "\"");
    }
  }

  const GeneratedScenario& made_;
  const fs::path& work_;
  const fs::path& stub_;
  CaseOutcome outcome_;
  PackRun first_;
  FolderFiles first_files_;
  std::string route_, train_;
  int compile_status_ = -1;
  bool skips_train_file_ = false;  // the check found the train file skipped whole (W11)
  std::optional<json> compiled_;
  FolderFiles out_files_;
};

}  // namespace

const char* disagreement_name(Disagreement kind) {
  switch (kind) {
    case Disagreement::two_runs:
      return "two runs";
    case Disagreement::pack_and_compile:
      return "pack and compile";
    case Disagreement::check_and_compile:
      return "check and compile";
    case Disagreement::dump_rebuild:
      return "dump rebuild";
    case Disagreement::verify:
      return "verify";
    case Disagreement::real_pack:
      return "real pack";
  }
  return "?";
}

CaseOutcome soak_one(const GeneratedScenario& made, const fs::path& work, const fs::path& stub,
                     bool real_pack) {
  return Case(made, work, stub).run(real_pack);
}

}  // namespace scenario::testing
