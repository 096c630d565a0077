# Script mode: runs a pack in a folder of its own, compiles the same route and train files with
# `scenario compile`, and fails unless both end with status 0 and write the same binary files,
# byte for byte. The pack must also leave its three other text files, named after the scenario.
#   cmake -DPACK=<exe> -DTOOL=<exe> -DROUTE=<file> -DTRAIN=<file> -DLINE=<name> -DNUMBER=<n>
#         -DWORK=<folder> -P pack_matches_tool.cmake

foreach(required PACK TOOL ROUTE TRAIN LINE NUMBER WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/pack" "${WORK}/tool")
# The pack writes beside itself, so it runs from a copy in a folder of its own.
file(COPY "${PACK}" DESTINATION "${WORK}/pack")
get_filename_component(pack_name "${PACK}" NAME)

execute_process(COMMAND "${WORK}/pack/${pack_name}" RESULT_VARIABLE pack_status INPUT_FILE /dev/null
                OUTPUT_VARIABLE pack_out ERROR_VARIABLE pack_err)
if(NOT pack_status EQUAL 0)
  message(FATAL_ERROR "the pack ended with ${pack_status}: ${pack_out}${pack_err}")
endif()

execute_process(COMMAND "${TOOL}" compile --route "${ROUTE}" --train "${TRAIN}" --line "${LINE}"
                        --number "${NUMBER}" --out "${WORK}/tool"
                RESULT_VARIABLE tool_status ERROR_VARIABLE tool_err)
if(NOT tool_status EQUAL 0)
  message(FATAL_ERROR "scenario compile ended with ${tool_status}: ${tool_err}")
endif()

set(binaries "${LINE}_linea.dat" "${LINE}_${NUMBER}.sim" "${LINE}_${NUMBER}.dat")
foreach(name IN LISTS binaries)
  foreach(side pack tool)
    if(NOT EXISTS "${WORK}/${side}/${name}")
      message(FATAL_ERROR "${side} did not write ${name}")
    endif()
  endforeach()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/pack/${name}"
                          "${WORK}/tool/${name}" RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${name} differs between the pack and scenario compile")
  endif()
endforeach()

file(GLOB delivered RELATIVE "${WORK}/tool" "${WORK}/tool/*")
list(LENGTH delivered delivered_count)
if(NOT delivered_count EQUAL 3)
  message(FATAL_ERROR "scenario compile delivered more than the binary files: ${delivered}")
endif()

foreach(kept note rallentamenti scheda_treno)
  if(NOT EXISTS "${WORK}/pack/${LINE}_${NUMBER}_${kept}.txt")
    message(FATAL_ERROR "the pack did not leave ${LINE}_${NUMBER}_${kept}.txt")
  endif()
endforeach()
foreach(read_and_deleted "${LINE}_linea.txt" "${LINE}_${NUMBER}-.txt")
  if(EXISTS "${WORK}/pack/${read_and_deleted}")
    message(FATAL_ERROR "the pack left ${read_and_deleted}, which the compile deletes")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
