# Building packs: one executable per scenario, carrying its identity and five text files. Every
# pack is made the way an author makes one: `scenario pack` adds the scenario to a copy of the
# pack stub, so no pack needs a compiler of its own.

set(SCENARIO_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_payload.cmake)
# Where an installation keeps the stubs, below the prefix; the installed command looks there.
set(SCENARIO_STUB_INSTALL_DIR lib/scenario)

# add_scenario_payload(<target> LINE <name> TRAIN <number> ROUTE <file> TRAIN_FILE <file>
#                      NOTES <file> SLOWDOWNS <file> SHEET <file>)
# A library defining embedded_scenario() for that scenario, compiled in as constants: for tests
# that run the pack's engine without making a pack.
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

# add_pack_stub(<target> PLATFORM <library> [OUTPUT_DIRECTORY <dir>])
# The pack program without a scenario of its own, for the system being built: it runs the
# payload block that `scenario pack` adds to a copy of it. PLATFORM is the window and error-box
# backend (platform_ui; tests use others). Its file is scenario-pack-linux or
# scenario-pack-windows.exe, by default beside the `scenario` command. Release stubs are
# stripped.
function(add_pack_stub target)
  cmake_parse_arguments(S "" "PLATFORM;OUTPUT_DIRECTORY" "" ${ARGN})
  if(NOT DEFINED S_OUTPUT_DIRECTORY)
    set(S_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tools)
  endif()
  add_executable(${target} ${PROJECT_SOURCE_DIR}/src/app/pack_main.cpp)
  target_link_libraries(${target} PRIVATE app ${S_PLATFORM} platform_carried)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${S_OUTPUT_DIRECTORY})
  if(WIN32)
    # A GUI program: no console window.
    set_target_properties(${target} PROPERTIES OUTPUT_NAME scenario-pack-windows
                                               WIN32_EXECUTABLE TRUE)
  else()
    set_target_properties(${target} PROPERTIES OUTPUT_NAME scenario-pack-linux)
  endif()
  if(NOT MSVC)
    target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
  endif()
endfunction()

# add_scenario_pack(<target> LINE <name> TRAIN <number> ROUTE <file> TRAIN_FILE <file>
#                   [NOTES <file>] [SLOWDOWNS <file>] [SHEET <file>] [STUB <target>]
#                   [OUTPUT_DIRECTORY <dir>] [ALLOW_FAILURES])
# The pack "<line>_<train>" (".exe" when building for Windows), made by `scenario pack` from the
# stub (pack_stub, or STUB) in OUTPUT_DIRECTORY (default: the current binary folder). The
# packer first compiles the route and train files and stops the build, naming the code, the file
# and the line, when the pack would record any failure; ALLOW_FAILURES, for packs that exist to
# exercise the failures, packs them all the same. The target's PACK_FILE property is the pack.
function(add_scenario_pack target)
  cmake_parse_arguments(P "ALLOW_FAILURES"
    "LINE;TRAIN;ROUTE;TRAIN_FILE;NOTES;SLOWDOWNS;SHEET;STUB;OUTPUT_DIRECTORY" "" ${ARGN})
  foreach(required LINE TRAIN ROUTE TRAIN_FILE)
    if(NOT DEFINED P_${required})
      message(FATAL_ERROR "add_scenario_pack(${target}): ${required} is required")
    endif()
  endforeach()
  if(NOT DEFINED P_STUB)
    set(P_STUB pack_stub)
  endif()
  if(NOT DEFINED P_OUTPUT_DIRECTORY)
    set(P_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  file(MAKE_DIRECTORY ${P_OUTPUT_DIRECTORY})
  if(WIN32)
    set(pack_file "${P_OUTPUT_DIRECTORY}/${P_LINE}_${P_TRAIN}.exe")
    set(system windows)
  else()
    set(pack_file "${P_OUTPUT_DIRECTORY}/${P_LINE}_${P_TRAIN}")
    set(system linux)
  endif()

  set(inputs ${P_ROUTE} ${P_TRAIN_FILE})
  # --force: the output folder is a build folder, where the text files of the pack's name are
  # those an earlier run of the pack left, never the author's sources; an edited notes file
  # must not stop the next build.
  set(arguments pack --route ${P_ROUTE} --train ${P_TRAIN_FILE} --line ${P_LINE}
                --number ${P_TRAIN} --target ${system} --stub $<TARGET_FILE:${P_STUB}>
                -o ${pack_file} --force)
  foreach(text NOTES SLOWDOWNS SHEET)
    if(DEFINED P_${text})
      string(TOLOWER ${text} option)
      list(APPEND arguments --${option} ${P_${text}})
      list(APPEND inputs ${P_${text}})
    endif()
  endforeach()
  if(P_ALLOW_FAILURES)
    list(APPEND arguments --allow-failures)
  endif()

  add_custom_command(
    OUTPUT ${pack_file}
    COMMAND ${SCENARIO_PACKER} ${arguments}
    DEPENDS ${SCENARIO_PACKER_DEPENDS} ${P_STUB} ${inputs}
    COMMENT "Packing scenario ${P_LINE}_${P_TRAIN}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${pack_file})
  set_target_properties(${target} PROPERTIES PACK_FILE ${pack_file})
endfunction()

# The `scenario` command that makes the packs: the one this build makes, or, in a cross build,
# one for the build machine (cmake/HostPacker.cmake).
if(CMAKE_CROSSCOMPILING)
  include(HostPacker)
else()
  set(SCENARIO_PACKER $<TARGET_FILE:scenario>)
  set(SCENARIO_PACKER_DEPENDS scenario)
endif()
