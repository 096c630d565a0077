#include "diff_command.h"

#include <system_error>
#include <variant>

#include "compile_command.h"
#include "compiled_files.h"
#include "decoded_files.h"
#include "inspect/diff_report.h"
#include "inspect/route_extent.h"
#include "inspect_inputs.h"
#include "model/file_fault.h"

namespace scenario::tool {

namespace {

// The first failure met while a side is decoded, if any.
struct SideFailure {
  std::optional<DecodeFailure> failure;

  template <class T>
  std::optional<T> take(Decoded<T> decoded) {
    if (auto* f = std::get_if<DecodeFailure>(&decoded)) {
      if (!failure) failure = *f;
      return std::nullopt;
    }
    return std::move(std::get<T>(decoded));
  }
};

bool file_exists(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error);
}

// A folder's set: its table and cells must be there, its profile may be missing.
inspect::DecodedSet decode_folder(const SetPaths& paths, SideFailure& side) {
  inspect::DecodedSet set;
  set.table_shown = path_text(paths.table);
  set.cells_shown = path_text(paths.cells);
  set.profile_shown = path_text(paths.profile);
  set.table = side.take(decode_table(paths.table));
  if (!set.table) return set;
  const inspect::RouteExtent extent = inspect::route_extent(inspect::route_length_of(*set.table));
  set.cells = side.take(decode_cells(paths.cells, extent.last_cell));
  if (file_exists(paths.profile))
    set.profile = side.take(decode_profile(paths.profile, extent.last_row));
  return set;
}

// A single file, with the table beside it for the counts of cells and profile rows.
inspect::DecodedSet decode_file(const std::filesystem::path& path, FileRole role,
                                SideFailure& side) {
  inspect::DecodedSet set;
  const std::string shown = path_text(path);
  if (role == FileRole::table) {
    set.table_shown = shown;
    set.table = side.take(decode_table(path));
    return set;
  }
  const auto table_path = table_beside(path, role);
  if (!table_path) {
    side.failure = DecodeFailure{
        shown + ": no scenario table of its set is beside it to give the route length", false};
    return set;
  }
  const auto table = side.take(decode_table(*table_path));
  if (!table) return set;
  const inspect::RouteExtent extent = inspect::route_extent(inspect::route_length_of(*table));
  if (role == FileRole::cells) {
    set.cells_shown = shown;
    set.cells = side.take(decode_cells(path, extent.last_cell));
  } else {
    set.profile_shown = shown;
    set.profile = side.take(decode_profile(path, extent.last_row));
  }
  return set;
}

// The role both files have by their names; nothing when they differ or either has none.
std::optional<FileRole> same_role(const std::filesystem::path& a, const std::filesystem::path& b) {
  const auto role = role_of(a);
  return role && role == role_of(b) ? role : std::nullopt;
}

}  // namespace

int run_diff(const DiffRequest& request, std::ostream& out, std::ostream& err) {
  std::error_code error;
  const bool a_folder = std::filesystem::is_directory(request.a, error);
  const bool b_folder = std::filesystem::is_directory(request.b, error);
  std::string why;
  SideFailure failure;
  inspect::DecodedSet a;
  inspect::DecodedSet b;

  if (a_folder && b_folder) {
    const auto a_paths = set_of_folder(request.a, request.line_name, request.train_number, why);
    const auto b_paths =
        a_paths ? set_of_folder(request.b, request.line_name, request.train_number, why)
                : std::nullopt;
    if (!a_paths || !b_paths) {
      err << "scenario diff: " << why << '\n';
      return kToolUsage;
    }
    a = decode_folder(*a_paths, failure);
    b = decode_folder(*b_paths, failure);
  } else {
    const auto role = a_folder || b_folder ? std::nullopt : same_role(request.a, request.b);
    if (!role) {
      err << "scenario diff: compare two folders, or two compiled files of the same kind "
             "(L_linea.dat, L_T.sim or L_T.dat)\n";
      return kToolUsage;
    }
    a = decode_file(request.a, *role, failure);
    b = decode_file(request.b, *role, failure);
  }
  if (failure.failure) {
    err << failure.failure->message << '\n';
    return failure.failure->unreadable ? kToolFileFault : kDiffDamaged;
  }

  const inspect::SetDiff diff = inspect::diff_sets(a, b);
  inspect::TextOut text(out);
  if (request.json) {
    inspect::diff_json(text, diff);
  } else {
    inspect::diff_text(text, diff);
  }
  return diff.identical() ? kToolSuccess : kDiffDiffers;
}

}  // namespace scenario::tool
