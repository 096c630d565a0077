# Script mode: turns a scenario's identity and five text files into a C++ source defining
# embedded_scenario(). Every byte is embedded as it stands, so blanks at line ends survive.
#   cmake -DOUTPUT=<file.cpp> -DLINE=<name> -DTRAIN=<number> -DROUTE=<file> -DTRAIN_FILE=<file>
#         -DNOTES=<file> -DSLOWDOWNS=<file> -DSHEET=<file> -P embed_payload.cmake

function(hex_to_chars hex out)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," chars "${hex}")
  set(${out} "${chars}" PARENT_SCOPE)
endfunction()

function(embed_text name text out)
  string(HEX "${text}" hex)
  hex_to_chars("${hex}" chars)
  set(${out} "constexpr char ${name}[] = {${chars}'\\0'};\n" PARENT_SCOPE)
endfunction()

function(embed_file name file out)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "scenario file not found: ${file}")
  endif()
  file(READ "${file}" hex HEX)
  hex_to_chars("${hex}" chars)
  set(${out} "constexpr char ${name}[] = {${chars}'\\0'};\n" PARENT_SCOPE)
endfunction()

embed_text(kLine "${LINE}" line)
embed_text(kTrain "${TRAIN}" train)
embed_file(kRoute "${ROUTE}" route)
embed_file(kTrainText "${TRAIN_FILE}" train_text)
embed_file(kNotes "${NOTES}" notes)
embed_file(kSlowdowns "${SLOWDOWNS}" slowdowns)
embed_file(kSheet "${SHEET}" sheet)

set(source "// Generated from the scenario's text files; edit those instead.\n")
string(APPEND source "#include <cstddef>\n\n#include \"payload/scenario_payload.h\"\n\nnamespace scenario {\nnamespace {\n")
string(APPEND source "${line}${train}${route}${train_text}${notes}${slowdowns}${sheet}")
string(APPEND source "template <std::size_t N>\nconstexpr std::string_view text(const char (&bytes)[N]) {\n")
string(APPEND source "  return std::string_view(bytes, N - 1);\n}\n}  // namespace\n\n")
string(APPEND source "const ScenarioPayload& embedded_scenario() {\n")
string(APPEND source "  static constexpr ScenarioPayload kPayload{text(kLine), text(kTrain), text(kRoute),\n")
string(APPEND source "      text(kTrainText), text(kNotes), text(kSlowdowns), text(kSheet)};\n")
string(APPEND source "  return kPayload;\n}\n\n}  // namespace scenario\n")

# Rewrite only on change, so an unchanged scenario does not rebuild the pack.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
  if(previous STREQUAL source)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${source}")
