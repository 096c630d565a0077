#include "dump_command.h"

#include <variant>

#include "compile_command.h"
#include "decoded_files.h"
#include "inspect/route_extent.h"
#include "inspect/text_out.h"
#include "inspect_inputs.h"
#include "model/file_fault.h"

namespace scenario::tool {

namespace {

constexpr int kDumpBadContent = 1;

// An input and the table beside it that gives the route length, and with it the names of
// stations and boards.
struct Planned {
  InputFile input;
  std::optional<std::filesystem::path> table;
};

bool needs_route_length(const InputFile& file, const DumpRequest& request) {
  return (file.role == FileRole::cells && !request.last_cell) ||
         (file.role == FileRole::profile && !request.last_row);
}

std::string no_route_length(const InputFile& file) {
  const bool cells = file.role == FileRole::cells;
  return "scenario dump: " + path_text(file.path) + ": its " +
         (cells ? "cell count" : "row count") +
         " comes from the route length in the scenario table, and no table of its set is beside "
         "it; give " +
         (cells ? "--cells N (the file holds cells 0 to N)"
                : "--rows M (the file holds rows 0 to M)");
}

int worse(int status, const DecodeFailure& failure) {
  if (failure.unreadable) return kToolFileFault;
  return status == kToolFileFault ? status : kDumpBadContent;
}

class Dumper {
 public:
  Dumper(const DumpRequest& request, std::ostream& out, std::ostream& err)
      : request_(request), text_(out), err_(err) {}

  void begin() {
    if (request_.format == inspect::DumpFormat::json) text_ << "{\"files\":[";
  }
  void end() {
    if (request_.format == inspect::DumpFormat::json) text_ << "]}\n";
    text_.flush();
  }

  void dump(const Planned& planned) {
    std::optional<inspect::TableFile> table;
    if (planned.table) {
      auto decoded = decode_table(*planned.table);
      if (auto* failure = std::get_if<DecodeFailure>(&decoded)) {
        // Without the route length the file cannot be read; without the names it still can.
        if (needs_route_length(planned.input, request_)) {
          return fail(
              {"scenario dump: " + path_text(planned.input.path) +
                   ": the table that gives its route length is damaged: " + failure->message,
               failure->unreadable});
        }
      } else {
        table = std::move(std::get<inspect::TableFile>(decoded));
      }
    }
    const std::string shown = path_text(planned.input.path);
    const std::optional<std::int32_t> route_length =
        table ? std::optional<std::int32_t>(inspect::route_length_of(*table)) : std::nullopt;

    switch (planned.input.role) {
      case FileRole::table: {
        auto decoded = decode_table(planned.input.path);
        if (auto* failure = std::get_if<DecodeFailure>(&decoded)) return fail(*failure);
        separate();
        inspect::dump_table(text_, request_.format, shown, std::get<inspect::TableFile>(decoded),
                            request_.filter);
        return;
      }
      case FileRole::cells: {
        const std::int64_t last = request_.last_cell
                                      ? *request_.last_cell
                                      : inspect::route_extent(*route_length).last_cell;
        auto decoded = decode_cells(planned.input.path, last);
        if (auto* failure = std::get_if<DecodeFailure>(&decoded)) return fail(*failure);
        inspect::CellContext context;
        context.table = table ? &table->slots : nullptr;
        if (!request_.last_cell) context.route_length = route_length;
        separate();
        inspect::dump_cells(text_, request_.format, shown,
                            std::get<std::vector<TrackCell>>(decoded), context, request_.filter);
        return;
      }
      case FileRole::profile: {
        const std::int64_t last =
            request_.last_row ? *request_.last_row : inspect::route_extent(*route_length).last_row;
        auto decoded = decode_profile(planned.input.path, last);
        if (auto* failure = std::get_if<DecodeFailure>(&decoded)) return fail(*failure);
        separate();
        inspect::dump_profile(text_, request_.format, shown,
                              std::get<inspect::ProfileFile>(decoded),
                              request_.last_row ? std::nullopt : route_length, request_.filter);
        return;
      }
    }
  }

  int status() const { return status_; }

 private:
  // Between two files: a comma in JSON, a blank line in the other formats.
  void separate() {
    if (dumped_ > 0) text_ << (request_.format == inspect::DumpFormat::json ? "," : "\n");
    ++dumped_;
  }

  void fail(const DecodeFailure& failure) {
    text_.flush();
    err_ << failure.message << '\n';
    status_ = worse(status_, failure);
  }

  const DumpRequest& request_;
  inspect::TextOut text_;
  std::ostream& err_;
  int status_ = kToolSuccess;
  int dumped_ = 0;
};

}  // namespace

int run_dump(const DumpRequest& request, std::ostream& out, std::ostream& err) {
  std::string why;
  const auto files = expand_inputs(request.inputs, request.line_name, request.train_number, why);
  if (!files) {
    err << "scenario dump: " << why << '\n';
    return kToolUsage;
  }

  // Every file must have its counts before anything is shown.
  std::vector<Planned> plan;
  for (const InputFile& file : *files) {
    // Kinds are kinds of cells: a table or a profile holds none of them.
    if (!request.filter.kinds.empty() && file.role != FileRole::cells) continue;
    Planned planned{file, std::nullopt};
    planned.table = table_for(file);
    if (!planned.table && needs_route_length(file, request)) {
      err << no_route_length(file) << '\n';
      return kToolUsage;
    }
    plan.push_back(std::move(planned));
  }

  Dumper dumper(request, out, err);
  dumper.begin();
  for (const Planned& planned : plan) dumper.dump(planned);
  dumper.end();
  return dumper.status();
}

}  // namespace scenario::tool
