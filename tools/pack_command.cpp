#include "pack_command.h"

#include <system_error>
#include <variant>

#include "check/finding.h"
#include "check/source_names.h"
#include "check/text_checker.h"
#include "check_cli/compile_text.h"
#include "check_cli/diagnostic_text.h"
#include "check_cli/encoding_diagnostics.h"
#include "check_cli/source_text.h"
#include "compile_command.h"
#include "file_moves.h"
#include "model/code_page_1252.h"
#include "model/file_fault.h"
#include "output_path.h"
#include "pack_folder.h"
#include "pack_image.h"
#include "pack_names.h"
#include "payload/payload_format.h"
#include "payload/text_writers.h"
#include "platform/file_system.h"

#ifndef SCENARIO_STUBS_FROM_COMMAND
#define SCENARIO_STUBS_FROM_COMMAND "../lib/scenario"
#endif

namespace scenario::tool {

namespace {

constexpr std::string_view kNotPacked =
    "scenario: not packed: a text file cannot be converted to code page 1252\n";

PackResult refused(int status, std::string report) {
  PackResult result;
  result.status = status;
  result.report = std::move(report);
  return result;
}

PackResult file_fault(const FileFault& fault) {
  return refused(kToolFileFault, "scenario: cannot pack: " + fault.describe() + "\n");
}

using ReadText = std::variant<author::AuthorText, author::TextRefusal>;

// The author's file as the pack carries it, or empty text for one left out.
FileResult<ReadText> read_text(const std::optional<std::filesystem::path>& file,
                               author::EncodingChoice encoding) {
  if (!file) return ReadText(author::AuthorText());
  const auto bytes = read_whole_file(*file);
  if (!bytes) return bytes.fault();
  return author::read_author_text(bytes.value(), encoding);
}

// The author's file whose copy in the compile's own working folder could not be looked up,
// opened, read or deleted there, when that is the compile's read fault; null otherwise. Such a
// fault is this machine's, not the scenario's: the pack, wherever it runs, writes and reads its
// own copies. Only a train file the author does not have is met missing by the pack as well.
const std::filesystem::path* working_copy_fault(const CompileRequest& compile,
                                                const CompileResult& result) {
  const RecordedFailure& failure = result.failure;
  if (failure.error_code != FailureCode::read_fault || !failure.detail.names_file ||
      failure.source == TextFile::none) {
    return nullptr;
  }
  const std::filesystem::path& author =
      failure.source == TextFile::route ? compile.route : compile.train;
  std::error_code error;
  return std::filesystem::exists(author, error) ? &author : nullptr;
}

// What the check of the scenario found: the compile's status and what it says of the failure,
// the warnings and notes, and why the pack would skip a whole text file, when it would.
struct Checked {
  int status = kToolSuccess;
  std::string failure;  // as `scenario compile` tells it; a file fault when status is 74
  std::vector<check::Diagnostic> findings;
  std::optional<std::string> skipped;
  bool refused = false;  // a file could not be converted: there is nothing to pack
};

// A file the pack skips whole leaves the scenario without its data, though the compile records
// no failure for it: a train file without "[generale]". (A route file without it is the
// recorded failure 102.)
std::optional<std::string> whole_file_skipped(const std::vector<check::Diagnostic>& findings,
                                              const PackRequest& request) {
  const std::string skipped = check::finding_code(check::Finding::train_without_data);
  for (const check::Diagnostic& d : findings) {
    if (d.code != skipped) continue;
    return "the pack skips the train file " + path_text(request.train) +
           " whole: it holds no \"[generale]\", so the scenario would carry no train data";
  }
  return std::nullopt;
}

// The warnings and notes as `scenario check` shows them, quoting the author's route and train
// text (nothing quoted of a file that is not there).
std::string shown_findings(const Checked& checked, const PackRequest& request,
                           const std::optional<SourceText>& route,
                           const std::optional<SourceText>& train) {
  if (request.quiet || checked.findings.empty()) return {};
  const ShownFiles files{path_text(request.route), path_text(request.train),
                         route ? &*route : nullptr, train ? &*train : nullptr};
  return human_text(checked.findings, files, request.color);
}

// Compiles the scenario as the build-time check does, watched as `scenario check` watches it;
// its binary files stay in the compile's own working folder and go with it. A fault of the
// compile's own copies is a file fault, never a failure the pack would record.
Checked check_scenario(const PackRequest& request, const PackIdentity& identity) {
  CompileRequest compile;
  compile.route = request.route;
  compile.train = request.train;
  compile.line_name = identity.line_name;
  compile.train_number = identity.train_number;
  compile.deliver = false;
  compile.encoding = request.encoding;
  ScenarioState state;
  check::TextChecker checker(state);
  compile.observer = &checker;
  const CompileResult result = compile_scenario(compile, state);
  Checked checked;
  if (const std::filesystem::path* author = working_copy_fault(compile, result)) {
    checked.status = kToolFileFault;
    checked.failure = "scenario: cannot pack: " + detail_text(result.failure.detail, *author) +
                      " (its copy in the check's working folder)\n";
    return checked;
  }
  checked.status = result.status;
  checked.refused = result.refused.has_value();
  checked.failure = compile_text(compile, result, request.color);
  checked.findings = checker.findings();
  for (check::Diagnostic& note : check::sources_named_as_pack_texts(
           {path_text(request.route.filename()), path_text(request.train.filename())}, &state)) {
    checked.findings.push_back(std::move(note));
  }
  sort_by_place(checked.findings);
  checked.skipped = whole_file_skipped(checked.findings, request);
  return checked;
}

std::filesystem::path find_stub(const PackRequest& request, std::string& looked) {
  if (request.stub) return *request.stub;
  for (const std::filesystem::path& place : stub_places(request.command_folder, request.target)) {
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) return place;
    looked += (looked.empty() ? "" : ", ") + path_text(place);
  }
  return {};
}

std::filesystem::path pack_path(const PackRequest& request, const PackIdentity& identity) {
  std::string name = code_page_1252_to_utf8(identity.line_name + "_" + identity.train_number);
  if (request.target == PackTarget::windows) name += ".exe";
  const std::filesystem::path file(std::u8string(name.begin(), name.end()));
  if (!request.out) return file;
  return output_file_or_new_folder(*request.out, file);
}

// A Linux pack is written executable from the start: the bytes go to a temporary file beside
// the target, which is made executable wherever it is readable and only then renamed over it.
// A fault names the pack, as for a Windows pack: the temporary file is gone again.
FileResult<> write_pack(const std::filesystem::path& target, const std::string& bytes,
                        PackTarget pack_target) {
  const auto fill = [&bytes](ByteWriter& out) { out.text(bytes); };
  if (pack_target == PackTarget::windows) return replace_file(target, fill);
  std::filesystem::path temporary = target;
  temporary += ".packing";
  if (auto written = replace_file(temporary, fill); !written) {
    return FileFault{target, written.fault().reason};
  }
  using std::filesystem::perms;
  std::error_code error;
  const perms mode = std::filesystem::status(temporary, error).permissions();
  perms executable = perms::none;
  if ((mode & perms::owner_read) != perms::none) executable |= perms::owner_exec;
  if ((mode & perms::group_read) != perms::none) executable |= perms::group_exec;
  if ((mode & perms::others_read) != perms::none) executable |= perms::others_exec;
  if (!error)
    std::filesystem::permissions(temporary, executable, std::filesystem::perm_options::add, error);
  if (!error) std::filesystem::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return FileFault{target, error.message()};
  }
  return {};
}

// Whether the scenario may be packed: a failure the pack would record, its error box or a file
// it skips whole refuses it unless allow_failures. `verdict` tells which, and what was done.
bool may_pack(const Checked& checked, const PackRequest& request, std::string& verdict) {
  const bool failed = checked.status != kToolSuccess;
  if (!request.allow_failures) {
    const std::string insist = " (--allow-failures packs it all the same)\n";
    if (checked.skipped) verdict += "scenario: not packed: " + *checked.skipped + insist;
    if (failed) verdict += "scenario: not packed: the pack would do this" + insist;
    return !failed && !checked.skipped;
  }
  const std::string insisted = "scenario: packed all the same (--allow-failures): ";
  if (checked.skipped) verdict += insisted + *checked.skipped + "\n";
  if (failed) verdict += insisted + "the pack will do this\n";
  return true;
}

// Why the pack may not go beside `target`, where its run would lose the author's files; empty
// when it may, or when told to all the same. `texts` are the five texts the pack carries.
std::string folder_refusal(const PackRequest& request, const PackIdentity& identity,
                           const std::filesystem::path& target, const std::string (&texts)[5]) {
  if (request.force) return {};
  ScenarioState named;
  named.line_name = identity.line_name;
  named.train_number = identity.train_number;
  const LeftTexts left{text_file_bytes(texts[2]), text_file_bytes(texts[3]),
                       text_file_bytes(texts[4])};
  const std::vector<LostFile> lost = files_a_run_would_lose(target.parent_path(), named, left);
  return lost.empty() ? std::string() : lost_files_refusal(target.parent_path(), lost);
}

// The status of a refused scenario: the compile's when it fails, 1 for a file skipped whole.
int failed_status(const Checked& checked) {
  return checked.status != kToolSuccess ? checked.status : kToolRecordedFailure;
}

// "wrote pack 'packs/L_T' (146 KB) for line L, train T".
std::string written_line(const std::filesystem::path& pack, std::uintmax_t bytes,
                         const PackIdentity& identity) {
  const std::u8string shown = pack.generic_u8string();
  return "wrote pack '" + std::string(shown.begin(), shown.end()) + "' (" +
         std::to_string((bytes + 500) / 1000) + " KB) for line " +
         code_page_1252_to_utf8(identity.line_name) + ", train " +
         code_page_1252_to_utf8(identity.train_number) + "\n";
}

}  // namespace

std::vector<std::filesystem::path> stub_places(const std::filesystem::path& command_folder,
                                               PackTarget target) {
  const char* name = target == PackTarget::windows ? kWindowsStubName : kLinuxStubName;
  return {command_folder / name,
          (command_folder / SCENARIO_STUBS_FROM_COMMAND / name).lexically_normal()};
}

PackResult pack_scenario(const PackRequest& request) {
  const auto named = pack_identity(request.line_name, request.train_number);
  if (const auto* refusal = std::get_if<NameRefusal>(&named)) {
    return refused(kToolUsage, "scenario pack: " + refusal->reason + "\n");
  }
  const PackIdentity& identity = std::get<PackIdentity>(named);

  const Checked checked = check_scenario(request, identity);
  if (checked.status == kToolFileFault) return refused(checked.status, checked.failure);
  if (checked.refused) return refused(checked.status, checked.failure + std::string(kNotPacked));
  // Told in this order: the warnings and notes, the failure, what is done about them.
  std::string verdict;
  if (!may_pack(checked, request, verdict)) {
    return refused(
        failed_status(checked),
        shown_findings(checked, request, SourceText::read(request.route, request.encoding),
                       SourceText::read(request.train, request.encoding)) +
            checked.failure + verdict);
  }

  std::string texts[5];
  std::optional<SourceText> sources[2];
  std::string other_files;  // what is said of the notes, slowdowns and sheet files
  const std::optional<std::filesystem::path> files[5] = {
      request.route, request.train, request.notes, request.slowdowns, request.sheet};
  for (int k = 0; k < 5; ++k) {
    auto read = read_text(files[k], request.encoding);
    if (!read) return file_fault(read.fault());
    // The compile has told about the route and train files already, unless they changed since.
    if ((k >= 2 || std::holds_alternative<author::TextRefusal>(read.value())) && files[k]) {
      other_files += other_file_text(*files[k], read.value());
    }
    if (std::holds_alternative<author::TextRefusal>(read.value())) {
      return refused(kToolRecordedFailure, other_files + std::string(kNotPacked));
    }
    const auto& text = std::get<author::AuthorText>(read.value());
    if (k < 2) sources[k] = SourceText(text);
    texts[k] = text.text;
  }
  // Quoted from the bytes just read: a file is read for the check and for the pack, no more.
  PackResult result;
  result.report = shown_findings(checked, request, sources[0], sources[1]) + checked.failure +
                  other_files + verdict;
  const auto payload = encode_payload({identity.line_name, identity.train_number, texts[0],
                                       texts[1], texts[2], texts[3], texts[4]});
  if (!payload)
    return refused(kToolFileFault, "scenario pack: the files are too large for a pack\n");

  const std::filesystem::path target = pack_path(request, identity);
  if (const std::string refusal = folder_refusal(request, identity, target, texts);
      !refusal.empty()) {
    result.status = kToolWouldLoseFiles;
    result.report += refusal;
    return result;
  }

  std::string looked;
  const std::filesystem::path stub_file = find_stub(request, looked);
  if (stub_file.empty()) {
    return refused(kToolFileFault,
                   "scenario: cannot pack: no stub for the target; looked for " + looked + "\n");
  }
  const auto stub = read_whole_file(stub_file);
  if (!stub) return file_fault(stub.fault());
  const std::string& stub_bytes = stub.value();
  auto image = request.target == PackTarget::windows
                   ? windows_pack_image(stub_bytes, *payload,
                                        identity.line_name + "_" + identity.train_number)
                   : linux_pack_image(stub_bytes, *payload);
  if (auto* refusal = std::get_if<ImageRefusal>(&image)) {
    return file_fault(FileFault{stub_file, "not a pack stub: " + refusal->reason});
  }

  const std::string& pack = std::get<std::string>(image);
  if (auto placed = make_parent_folders(target); !placed) return file_fault(placed.fault());
  if (auto written = write_pack(target, pack, request.target); !written) {
    return file_fault(written.fault());
  }
  result.status = kToolSuccess;
  result.written = target;
  if (!request.quiet) result.report += written_line(target, pack.size(), identity);
  return result;
}

}  // namespace scenario::tool
