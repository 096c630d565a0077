# Script mode: runs a pack whose scenario stops at the error box and checks that it ends with
# status 2, shows " Errore n. <BOX>" and writes no binary file.
#   cmake -DPACK=<exe> -DLINE=<name> -DNUMBER=<n> -DBOX=<code> -DWORK=<folder>
#         -P pack_stops_with_error_box.cmake

foreach(required PACK LINE NUMBER BOX WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${PACK}" DESTINATION "${WORK}")
get_filename_component(pack_name "${PACK}" NAME)

execute_process(COMMAND "${WORK}/${pack_name}" RESULT_VARIABLE status ERROR_VARIABLE err
                INPUT_FILE /dev/null)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "the pack ended with ${status}, not 2: ${err}")
endif()
string(FIND "${err}" " Errore n. ${BOX}" shown)
if(shown EQUAL -1)
  message(FATAL_ERROR "the pack did not show \" Errore n. ${BOX}\": ${err}")
endif()
foreach(name "${LINE}_linea.dat" "${LINE}_${NUMBER}.sim" "${LINE}_${NUMBER}.dat")
  if(EXISTS "${WORK}/${name}")
    message(FATAL_ERROR "the pack wrote ${name} after the error box")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
