# Script mode: installs the author's component of the build into a fresh prefix and makes packs
# with the installed command, which must find its stubs where the installation put them.
#   cmake -DBUILD=<build folder> -DROUTE=<file> -DTRAIN=<file> -DWINDOWS=ON|OFF -DWORK=<folder>
#         -P installed_command_finds_its_stubs.cmake

foreach(required BUILD ROUTE TRAIN WINDOWS WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}/prefix"
                        --component author
                RESULT_VARIABLE installed OUTPUT_QUIET ERROR_VARIABLE install_err)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install ended with ${installed}: ${install_err}")
endif()

set(targets linux)
if(WINDOWS)
  list(APPEND targets windows)
endif()
file(MAKE_DIRECTORY "${WORK}/packs")
foreach(target IN LISTS targets)
  execute_process(COMMAND "${WORK}/prefix/bin/scenario" pack --route "${ROUTE}" --train "${TRAIN}"
                          --line Installata --number 1 --target ${target} -o "${WORK}/packs"
                  RESULT_VARIABLE packed ERROR_VARIABLE pack_err)
  if(NOT packed EQUAL 0)
    message(FATAL_ERROR "the installed command could not make a ${target} pack: ${pack_err}")
  endif()
endforeach()
file(GLOB packs RELATIVE "${WORK}/packs" "${WORK}/packs/*")
list(SORT packs)
set(expected Installata_1)
if(WINDOWS)
  set(expected Installata_1 Installata_1.exe)
endif()
if(NOT packs STREQUAL expected)
  message(FATAL_ERROR "the installed command made ${packs}, not ${expected}")
endif()
file(REMOVE_RECURSE "${WORK}")
