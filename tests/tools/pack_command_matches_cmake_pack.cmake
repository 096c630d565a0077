# Script mode: makes a Linux pack with `scenario pack` (the stub found beside the command), runs
# it and the pack the build made with add_scenario_pack from the same files, each in a folder of
# its own, and fails unless both end with the same status and leave the same files, byte for
# byte. STATUS is the status both must end with.
#   cmake -DTOOL=<exe> -DBUILT=<pack> -DROUTE=<file> -DTRAIN=<file> -DNOTES=<file>
#         -DSLOWDOWNS=<file> -DSHEET=<file> -DLINE=<name> -DNUMBER=<n> -DSTATUS=<n>
#         [-DALLOW_FAILURES=ON] -DWORK=<folder> -P pack_command_matches_cmake_pack.cmake

foreach(required TOOL BUILT ROUTE TRAIN NOTES SLOWDOWNS SHEET LINE NUMBER STATUS WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/command" "${WORK}/built")
set(allow)
if(ALLOW_FAILURES)
  set(allow --allow-failures)
endif()
execute_process(COMMAND "${TOOL}" pack --route "${ROUTE}" --train "${TRAIN}" --notes "${NOTES}"
                        --slowdowns "${SLOWDOWNS}" --sheet "${SHEET}" --line "${LINE}"
                        --number "${NUMBER}" --target linux -o "${WORK}/command" ${allow}
                RESULT_VARIABLE packed ERROR_VARIABLE pack_err)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "scenario pack ended with ${packed}: ${pack_err}")
endif()
set(name "${LINE}_${NUMBER}")
if(NOT EXISTS "${WORK}/command/${name}")
  message(FATAL_ERROR "scenario pack did not write ${name}")
endif()
file(COPY "${BUILT}" DESTINATION "${WORK}/built")

foreach(side command built)
  execute_process(COMMAND "${WORK}/${side}/${name}" RESULT_VARIABLE status_${side}
                  INPUT_FILE /dev/null OUTPUT_QUIET ERROR_VARIABLE err_${side})
  if(NOT status_${side} EQUAL STATUS)
    message(FATAL_ERROR "the ${side} pack ended with ${status_${side}}, not ${STATUS}: "
                        "${err_${side}}")
  endif()
endforeach()

file(GLOB from_command RELATIVE "${WORK}/command" "${WORK}/command/*")
file(GLOB from_built RELATIVE "${WORK}/built" "${WORK}/built/*")
list(SORT from_command)
list(SORT from_built)
if(NOT from_command STREQUAL from_built)
  message(FATAL_ERROR "the packs left different files: ${from_command} and ${from_built}")
endif()
list(REMOVE_ITEM from_command "${name}")
list(LENGTH from_command left)
if(left EQUAL 0)
  message(FATAL_ERROR "the packs left no file at all")
endif()
foreach(file IN LISTS from_command)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/command/${file}"
                          "${WORK}/built/${file}" RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${file} differs between the two packs")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
