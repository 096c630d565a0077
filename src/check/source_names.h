#pragma once

#include <string>
#include <vector>

#include "check/diagnostic.h"
#include "model/scenario_state.h"

namespace scenario::check {

// The file names (UTF-8, without their folder) of an author's route and train files.
struct SourceNames {
  std::string route;
  std::string train;
};

// The notes W20 for an author's source that bears the name a pack gives its own copy of it: a
// pack writes its route and train files into its folder under those names, compiles them and
// deletes them, so a source of that name in the folder where the pack runs is lost. With an
// identity (its line name and train number, code page 1252 text) the names are compared with
// the pack's names for it; without one, by their shape: "?*_linea.txt" for the route and
// "?*_?*-.txt" for the train. Each note is about its whole file.
std::vector<Diagnostic> sources_named_as_pack_texts(const SourceNames& sources,
                                                    const ScenarioState* identity);

}  // namespace scenario::check
