#include "parse/keyword_fields.h"

#include "parse/keywords.h"

namespace scenario {

void read_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  state.text_line = reader.read_keyword();
  context.record_line = reader.line();
  if (context.observer) {
    context.keyword = reader.last_field();
    context.records_started = 0;
  }
}

bool next_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader,
                        CommentRule rule) {
  read_keyword_field(state, context, reader);
  if (reader.at_end()) return false;
  for (int passed = 0; passed < rule.at_most && contains(state.text_line, "-"); ++passed) {
    if (context.observer) {
      context.observer->comment_passed_over(context.keyword, passed + 1, rule.at_most);
    }
    read_keyword_field(state, context, reader);
    if (rule.end_ends_part && reader.at_end()) return false;
  }
  return true;
}

void keyword_tested(const ParseContext& context, SectionRole head_role) {
  ReadObserver* const observer = context.observer;
  if (!observer) return;
  if (is_section_head(context.keyword.text)) observer->section_head(context.keyword, head_role);
  if (context.records_started == 0) observer->keyword_unmatched(context.keyword);
}

}  // namespace scenario
