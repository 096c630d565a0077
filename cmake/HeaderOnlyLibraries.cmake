# CLI11 and nlohmann-json for a cross build of the `scenario` command. Both are header-only, so
# the build machine's copies serve any target; only their own header folders are copied into the
# build tree and used, so that no header of the build machine's C library reaches the target.
# Defines CLI11::CLI11 and nlohmann_json::nlohmann_json when the headers are found.

find_path(SCENARIO_HOST_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include /usr/local/include
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
find_path(SCENARIO_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include /usr/local/include
          NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)

set(header_only ${CMAKE_BINARY_DIR}/header-only)
if(SCENARIO_HOST_CLI11_INCLUDE AND NOT TARGET CLI11::CLI11)
  file(COPY ${SCENARIO_HOST_CLI11_INCLUDE}/CLI DESTINATION ${header_only}/cli11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${header_only}/cli11)
endif()
if(SCENARIO_HOST_JSON_INCLUDE AND NOT TARGET nlohmann_json::nlohmann_json)
  file(COPY ${SCENARIO_HOST_JSON_INCLUDE}/nlohmann DESTINATION ${header_only}/json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json
    PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${header_only}/json)
endif()
