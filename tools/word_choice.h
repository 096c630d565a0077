#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <utility>
#include <vector>

namespace scenario::tool {

// An option whose value is one of a few words, in any case. --help lists the words themselves,
// in the order given ("TEXT:{human,gcc,json}"), never the values they stand for.
template <class T>
CLI::Option* add_word_option(CLI::App* command, const std::string& name, T& value,
                             std::vector<std::pair<std::string, T>> words,
                             const std::string& description) {
  std::vector<std::string> names;
  for (const auto& word : words) names.push_back(word.first);
  return command
      ->add_option_function<std::string>(
          name,
          [&value, words](const std::string& given) {
            for (const auto& [word, meaning] : words) {
              if (CLI::detail::to_lower(word) == CLI::detail::to_lower(given)) value = meaning;
            }
          },
          description)
      ->check(CLI::IsMember(names, CLI::ignore_case));
}

}  // namespace scenario::tool
