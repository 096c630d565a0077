#include "check_cli/report_diagnostics.h"

#include "model/code_page_1252.h"

namespace scenario::tool {

std::vector<report::ReportDiagnostic> report_diagnostics(std::vector<check::Diagnostic> findings,
                                                         const ShownFiles& files) {
  sort_by_place(findings);
  std::vector<report::ReportDiagnostic> list;
  for (const check::Diagnostic& d : findings) {
    report::ReportDiagnostic item;
    item.where = place_of(d.where, files);
    item.severity = d.level == check::Level::error     ? "error"
                    : d.level == check::Level::warning ? "warning"
                                                       : "note";
    item.code = d.code;
    item.message = d.message;
    const SourceText* text = d.where.file == TextFile::route   ? files.route_text
                             : d.where.file == TextFile::train ? files.train_text
                                                               : nullptr;
    if (text && d.where.line > 0)
      item.source_line = code_page_1252_to_utf8(text->line(d.where.line));
    list.push_back(std::move(item));
  }
  return list;
}

}  // namespace scenario::tool
