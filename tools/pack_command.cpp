#include "pack_command.h"

#include <system_error>
#include <variant>

#include "check_cli/compile_text.h"
#include "check_cli/encoding_diagnostics.h"
#include "compile_command.h"
#include "file_moves.h"
#include "model/code_page_1252.h"
#include "model/file_fault.h"
#include "pack_image.h"
#include "pack_names.h"
#include "payload/payload_format.h"
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

struct Checked {
  int status = kToolSuccess;
  std::string report;
  bool refused = false;  // a file could not be converted: there is nothing to pack
};

// Compiles the scenario as the build-time check does; its binary files stay in the compile's
// own working folder and go with it. Returns the status and the diagnostics; a fault of the
// compile's own copies is a file fault, never a failure the pack would record.

Checked check_scenario(const PackRequest& request, const PackIdentity& identity) {
  CompileRequest compile;
  compile.route = request.route;
  compile.train = request.train;
  compile.line_name = identity.line_name;
  compile.train_number = identity.train_number;
  compile.deliver = false;
  compile.encoding = request.encoding;
  const CompileResult result = compile_scenario(compile);
  if (const std::filesystem::path* author = working_copy_fault(compile, result)) {
    return {kToolFileFault,
            "scenario: cannot pack: " + detail_text(result.failure.detail, *author) +
                " (its copy in the check's working folder)\n",
            false};
  }
  // Shown as `scenario compile` shows it, without colour: the report is a text of its own.
  return {result.status, compile_text(compile, result, false), result.refused.has_value()};
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
  std::error_code error;
  if (std::filesystem::is_directory(*request.out, error)) return *request.out / file;
  return *request.out;
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
  const int check_status = checked.status;
  PackResult result;
  result.report = checked.report;
  if (checked.refused) {
    result.status = check_status;
    result.report += kNotPacked;
    return result;
  }
  if (check_status == kToolFileFault || (check_status != kToolSuccess && !request.allow_failures)) {
    result.status = check_status;
    if (check_status != kToolFileFault) {
      result.report +=
          "scenario: not packed: the pack would do this (--allow-failures packs it "
          "all the same)\n";
    }
    return result;
  }
  if (check_status != kToolSuccess) {
    result.report += "scenario: packed all the same (--allow-failures): the pack will do this\n";
  }

  std::string texts[5];
  const std::optional<std::filesystem::path> files[5] = {
      request.route, request.train, request.notes, request.slowdowns, request.sheet};
  for (int k = 0; k < 5; ++k) {
    auto read = read_text(files[k], request.encoding);
    if (!read) return file_fault(read.fault());
    // The compile has told about the route and train files already.
    if (k >= 2 && files[k]) result.report += other_file_text(*files[k], read.value());
    if (std::holds_alternative<author::TextRefusal>(read.value())) {
      if (k < 2) result.report += other_file_text(*files[k], read.value());
      result.status = kToolRecordedFailure;
      result.report += kNotPacked;
      return result;
    }
    texts[k] = std::get<author::AuthorText>(std::move(read).value()).text;
  }
  const auto payload = encode_payload({identity.line_name, identity.train_number, texts[0],
                                       texts[1], texts[2], texts[3], texts[4]});
  if (!payload)
    return refused(kToolFileFault, "scenario pack: the files are too large for a pack\n");

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

  const std::filesystem::path target = pack_path(request, identity);
  if (auto written = write_pack(target, std::get<std::string>(image), request.target); !written) {
    return file_fault(written.fault());
  }
  result.status = kToolSuccess;
  result.written = target;
  return result;
}

}  // namespace scenario::tool
