# Building packs: one executable per scenario, carrying its identity and five text files.

set(SCENARIO_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_payload.cmake)
set(SCENARIO_VERSION_RC ${CMAKE_CURRENT_LIST_DIR}/pack_version.rc.in)

# Windows packs carry a version resource, compiled by the toolchain's resource compiler.
if(WIN32)
  enable_language(RC)
endif()

# add_scenario_payload(<target> LINE <name> TRAIN <number> ROUTE <file> TRAIN_FILE <file>
#                      NOTES <file> SLOWDOWNS <file> SHEET <file>)
# A library defining embedded_scenario() for that scenario.
function(add_scenario_payload target)
  cmake_parse_arguments(P "" "LINE;TRAIN;ROUTE;TRAIN_FILE;NOTES;SLOWDOWNS;SHEET" "" ${ARGN})
  foreach(required LINE TRAIN ROUTE TRAIN_FILE NOTES SLOWDOWNS SHEET)
    if(NOT DEFINED P_${required})
      message(FATAL_ERROR "add_scenario_payload(${target}): ${required} is required")
    endif()
  endforeach()
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_embedded.cpp)
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${generated} "-DLINE=${P_LINE}" "-DTRAIN=${P_TRAIN}"
            "-DROUTE=${P_ROUTE}" "-DTRAIN_FILE=${P_TRAIN_FILE}" "-DNOTES=${P_NOTES}"
            "-DSLOWDOWNS=${P_SLOWDOWNS}" "-DSHEET=${P_SHEET}" -P ${SCENARIO_EMBED_SCRIPT}
    DEPENDS ${P_ROUTE} ${P_TRAIN_FILE} ${P_NOTES} ${P_SLOWDOWNS} ${P_SHEET} ${SCENARIO_EMBED_SCRIPT}
    COMMENT "Embedding scenario ${P_LINE}_${P_TRAIN}"
    VERBATIM)
  add_library(${target} STATIC ${generated})
  target_link_libraries(${target} PUBLIC payload)
endfunction()

# add_scenario_pack(<target> LINE <name> TRAIN <number> ROUTE <file> TRAIN_FILE <file>
#                   NOTES <file> SLOWDOWNS <file> SHEET <file> [PLATFORM <library>]
#                   [ALLOW_FAILURES])
# The pack executable, named "<line>_<train>" like the files it writes. PLATFORM replaces the
# window and error-box backend (default platform_ui); only test packs need that. Before the pack
# is built, its route and train files are compiled with the `scenario` tool, and the build fails,
# naming the code, the file and the line, when the pack would record any failure.
# ALLOW_FAILURES skips that check, for packs that exist to exercise the failures.
function(add_scenario_pack target)
  cmake_parse_arguments(P "ALLOW_FAILURES" "LINE;TRAIN;PLATFORM;ROUTE;TRAIN_FILE" "" ${ARGN})
  if(NOT DEFINED P_PLATFORM)
    set(P_PLATFORM platform_ui)
  endif()
  set(payload_arguments ${ARGN})
  list(REMOVE_ITEM payload_arguments PLATFORM ${P_PLATFORM} ALLOW_FAILURES)
  add_scenario_payload(${target}_payload ${payload_arguments})
  add_executable(${target} ${PROJECT_SOURCE_DIR}/src/app/pack_main.cpp)
  target_link_libraries(${target} PRIVATE ${target}_payload app ${P_PLATFORM})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${P_LINE}_${P_TRAIN}")
  if(WIN32)
    # A GUI program (no console window), with the version resource of its own identity.
    set(PACK_RC_NAME "${P_LINE}_${P_TRAIN}")
    string(REPLACE "\"" "\"\"" PACK_RC_NAME "${PACK_RC_NAME}")
    set(version_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${SCENARIO_VERSION_RC} ${version_rc} @ONLY)
    target_sources(${target} PRIVATE ${version_rc})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE TRUE)
  endif()
  if(NOT P_ALLOW_FAILURES)
    scenario_pack_check(${target} "${P_LINE}" "${P_TRAIN}" "${P_ROUTE}" "${P_TRAIN_FILE}")
  endif()
endfunction()

# Compiles a pack's route and train files with the host-built `scenario` tool before the pack is
# built; the tool's report names the failure, and its non-zero status fails the build.
function(scenario_pack_check target line train route train_file)
  if(CMAKE_CROSSCOMPILING)
    message(STATUS "${target}: cross-compiling, so the scenario ${line}_${train} is not "
                   "compiled at build time; run `scenario compile` on a native build to check it")
    return()
  endif()
  set(check_folder ${CMAKE_CURRENT_BINARY_DIR}/${target}_check)
  set(stamp ${check_folder}.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND scenario compile --route ${route} --train ${train_file} --line ${line}
            --number ${train} --out ${check_folder}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS scenario ${route} ${train_file}
    COMMENT "Checking scenario ${line}_${train}"
    VERBATIM)
  add_custom_target(${target}_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_check)
endfunction()
