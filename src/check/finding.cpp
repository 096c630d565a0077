#include "check/finding.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace scenario::check {

namespace {

constexpr TextFile route = TextFile::route;
constexpr TextFile train = TextFile::train;

// The explanations, in the order of kCodes.
constexpr std::array<Explanation, 20> kFindings{{
    {Level::warning,
     "a keyword field that matches no record, with the nearest keyword",
     "The pack takes one keyword field at a time and runs every record whose keyword the field "
     "holds. A field that holds none is passed over without a word, and so is the rest of its "
     "line: the record is simply not there in the simulator.",
     {train, "[generale]\nsegnle, 1000, 2, 5, 6, 0, 0, 0, 0,0,0, 0\n[fine]\n"},
     "Spell the keyword as the check suggests (\"segnale\"). Letter case does not matter for "
     "these keywords."},
    {Level::warning,
     "a general keyword of the route that would match but for letter case",
     "The route's general keywords \"progressiva\", \"sfondo\", \"ripetizione\" and \"segnali\" "
     "(with \"uno\", \"due\", \"tre\") are matched with letter case; only \"lunghezza percorso\" "
     "ignores it. A capital letter makes the line match nothing, and the value keeps 0.",
     {route, "[generale]\nlunghezza percorso, 5000\nSfondo uno, 1\n[curve]\n[fine]\n"},
     "Write the keyword in lower case: \"sfondo uno, 1\"."},
    {Level::warning,
     "a route record outside the part of the file where it is recognised",
     "General records are read only in the general section, which ends at the first section "
     "head after \"[generale]\" (such as \"[curve]\"); feature records only after it. A record "
     "on the wrong side has no effect, and its numbers are read as keyword fields.",
     {route, "[generale]\nlunghezza percorso, 5000\n[curve]\nsfondo uno, 1\n[fine]\n"},
     "Move the record into its part: general records between \"[generale]\" and the first "
     "section head, features after it."},
    {Level::warning,
     "a record whose fields do not all stand on its keyword's line",
     "A line end separates fields just as a comma does, so a record that is short of fields on "
     "its line takes the rest from the next line(s), and whatever it took is not read as "
     "anything else.",
     {route, "[generale]\nlunghezza percorso, 5000\nsfondo uno\n1\n[curve]\n[fine]\n"},
     "Put every field of the record on its keyword's line, separated by commas."},
    {Level::warning,
     "fields left over after a complete record, read as keyword fields",
     "A record reads exactly the fields its keyword calls for. What follows on its line is read "
     "as keyword fields: ignored unless it holds a keyword, in which case it starts a record.",
     {train, "[generale]\nvelocita, 0, 30, 40\n[fine]\n"},
     "Remove the extra fields, or give them a line and a keyword of their own."},
    {Level::warning,
     "a direction-board text or station name cut at a comma",
     "A text field runs to the next comma or line end, so a board text or a station name with "
     "a comma in it is cut there; the rest of the line is read as keyword fields.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[curve]\ncartello_indicatore, 1350, (DEV, U.)\n"
      "[fine]\n"},
     "Leave the comma out, or write the whole text in double quotes: \"(DEV, U.)\"."},
    {Level::warning,
     "a comment line with a comma in it",
     "A comment is a field holding \"-\", not a line: after a comma the rest of the line is "
     "read as keyword fields, and a keyword there starts a record.",
     {train, "[generale]\n-- prima le fermate, poi i segnali\n[fine]\n"},
     "Keep commas out of comment lines."},
    {Level::warning,
     "a comment field read as a keyword field (too many in a row)",
     "The pack passes over at most two comment fields in a row (ten in the route's general "
     "section); the next field holding \"-\" is read as a keyword field, and a keyword in it "
     "starts a record.",
     {train, "[generale]\n----\n----\n----\n[fine]\n"},
     "Put at most two comment lines together, or join them into one line without commas."},
    {Level::warning,
     "a gradient, speed or adhesion record that lies before an earlier one",
     "These values are laid into the cells forwards only: each record fills the cells up to its "
     "own with the value in force and then puts its value in force. A record that lies at or "
     "before the cells already laid cannot go back: the earlier value still goes into one more "
     "cell, and the new value holds from the cell after it, not from its own position; at the "
     "start of the line it replaces the earlier record's value, which is then never laid.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[pendenze]\npendenza, 3000, 5\npendenza, 1000, 2\n"
      "[fine]\n"},
     "List the records of each kind in ascending position."},
    {Level::warning,
     "a curve that begins before the end of an earlier one",
     "The plan of the line is built forwards, one metre at a time. A curve that begins before "
     "the metres already built turns only from the first metre not yet built to its own end, "
     "and a curve that lies wholly before them has no effect.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[curve]\ncurvad4, 1000, 500\ncurvas4, 1200, 500\n"
      "[fine]\n"},
     "List the curves in ascending position, each beginning at or after the end of the one "
     "before."},
    {Level::warning,
     "a train file without \"[generale]\": the whole file is skipped",
     "Everything before the first field holding \"[generale]\" is skipped, and a train file "
     "without one is skipped whole without an error: the scenario has no stations, signals, "
     "speed limits or train data.",
     {train, "numero vetture, 4\n[fine]\n"},
     "Begin the train file with a line \"[generale]\"."},
    {Level::warning,
     "records after \"[fine]\", which are still read",
     "\"[fine]\" is a section head like any other: the pack does not stop there, and every "
     "record after it is compiled.",
     {train, "[generale]\n[fine]\nnumero vetture, 4\n[fine]\n"},
     "Delete what follows \"[fine]\", or move it above."},
    {Level::warning,
     "a file whose last field is a record keyword, which is never read",
     "The last field of a file is never interpreted, so a record keyword standing there with "
     "nothing after it is lost. Files end with the line \"[fine]\" so that no record is.",
     {train, "[generale]\nnumero vetture, 4\nsabbia\n"},
     "End the file with a line \"[fine]\"."},
    {Level::note,
     "a mountain whose type the 150 m rule turned into 3",
     "A mountain that begins at most 150 m after the end of the mountain before it in the file "
     "gets type 3, whatever type it gives.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[montagne]\nmontagna, 1000, 2000, 2\n"
      "montagna, 2100, 3000, 1\n[fine]\n"},
     "Nothing to mend if type 3 is meant; otherwise leave more than 150 m between the two."},
    {Level::note,
     "a slowdown at or before 1500 m, which gets no warning point",
     "A slowdown that begins at 1500 m or before gets no warning point 1200 m ahead of it, and "
     "no approach cells even when its fifth number asks for them.",
     {train, "[generale]\nrallentamento, 1000, 60, 200, 0, 1, 0\n[fine]\n"},
     "Nothing to mend if that is meant; a slowdown beyond 1500 m gets both."},
    {Level::note,
     "a station of a type that gets no stop cell",
     "Only stations of a type below 25 get a stop cell (and approach marks) in the cells; the "
     "others are stored in the scenario table only.",
     {train,
      "[generale]\nstazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, TRANSITO\n[fine]\n"},
     "Nothing to mend if the train is not to stop there; give a type below 25 if it is."},
    {Level::note,
     "a signal so near the start that some approach marks are dropped",
     "A signal puts approach marks in the 2nd, 4th, 6th and 8th cells before its own; those "
     "that would lie before cell 0 (a signal below 325 m) are left out.",
     {train, "[generale]\nsegnale, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n[fine]\n"},
     "Nothing to mend if that is meant."},
    {Level::note,
     "a speed limit that is not a multiple of 5",
     "The cells store a speed limit divided by 5, rounded to the nearest whole number (halves "
     "to even), so the simulator sees the nearest multiple of 5.",
     {train, "[generale]\nvelocita, 0, 32\n[fine]\n"},
     "Give the limit as a multiple of 5."},
    {Level::note,
     "a file saved as UTF-8 or UTF-16, converted to code page 1252",
     "The pack and the simulator read text in code page 1252, one byte a character. A file "
     "saved as UTF-8 (with or without a byte order mark) or as UTF-16 with its mark (\"Unicode\" "
     "in Notepad) is read as it was saved and converted, so that the pack gets the bytes the "
     "same text saved in code page 1252 gives; the mark is dropped. A character the code page "
     "has no byte for, such as \"\xC5\x90\", cannot be converted: the file is refused at that "
     "character with an error of this code, and nothing is compiled or written.",
     {train, "[generale]\n-- citt\xC3\xA0\n[fine]\n"},
     "Nothing to mend if the text reads as meant. Replace a character the code page lacks (\"O\" "
     "or \"\xC3\x96\" for \"\xC5\x90\"). --encoding tells how a file is saved when the guess is "
     "wrong."},
    {Level::note,
     "a source file named as the pack names its own copy of it",
     "A pack writes the route and train files it carries into its own folder under the names "
     "LINE_linea.txt and LINE_NUMBER-.txt, compiles them and deletes them. A source file of "
     "that name in the folder where the pack runs is overwritten and then deleted. Without "
     "--line and --number the check goes by the shape of the name: anything ending in "
     "\"_linea.txt\" for the route, \"_NUMBER-.txt\" for the train.",
     {TextFile::none,
      "scenario check --route \"Collina_linea.txt\" --train train.txt --line Collina "
      "--number 88"},
     "Keep your sources under other names (route.txt, train.txt) or in another folder than the "
     "one the pack runs in."},
}};

// The code of each explanation of kFindings, in the same order.
constexpr std::array<Finding, 20> kCodes{
    Finding::unknown_keyword,          Finding::general_keyword_case,
    Finding::record_out_of_its_part,   Finding::record_across_lines,
    Finding::fields_left_over,         Finding::text_cut_at_comma,
    Finding::comment_with_comma,       Finding::comment_read_as_keyword,
    Finding::stretch_before_earlier,   Finding::curve_before_earlier,
    Finding::train_without_data,       Finding::record_after_end,
    Finding::last_field_keyword,       Finding::mountain_type_replaced,
    Finding::slowdown_without_warning, Finding::station_without_stop,
    Finding::signal_marks_dropped,     Finding::speed_rounded,
    Finding::text_converted,           Finding::source_named_as_pack_text,
};

constexpr bool in_code_order() {
  for (std::size_t k = 1; k < kCodes.size(); ++k) {
    if (kCodes[k - 1] >= kCodes[k]) return false;
  }
  return true;
}
static_assert(in_code_order(), "kCodes lists every finding once, in the order of its code");

// The index of `finding` in kCodes and kFindings; kCodes.size() for a number that is no finding.
std::size_t index_of(Finding finding) {
  return static_cast<std::size_t>(std::find(kCodes.begin(), kCodes.end(), finding) -
                                  kCodes.begin());
}

}  // namespace

std::span<const Finding> all_findings() { return kCodes; }

const Explanation& explanation(Finding finding) { return kFindings.at(index_of(finding)); }

std::string finding_code(Finding finding) {
  const int n = static_cast<int>(finding);
  return std::string("W") + (n < 10 ? "0" : "") + std::to_string(n);
}

std::optional<Finding> finding_named(std::string_view code) {
  if (code.size() < 2 || (code[0] != 'W' && code[0] != 'w')) return std::nullopt;
  int n = 0;
  const char* first = code.data() + 1;
  const char* last = code.data() + code.size();
  const auto [end, error] = std::from_chars(first, last, n);
  if (error != std::errc() || end != last || n < 1 || n > 255) return std::nullopt;
  const auto finding = static_cast<Finding>(n);
  if (index_of(finding) == kCodes.size()) return std::nullopt;
  return finding;
}

}  // namespace scenario::check
