# Script mode: makes a Windows pack with `scenario pack` (its default target, the stub found
# beside the command) and reads its resources back with the MinGW-w64 resource compiler: the
# version resource must name the pack, and the scenario must be there as RCDATA 1.
#   cmake -DTOOL=<exe> -DWINDRES=<exe> -DROUTE=<file> -DTRAIN=<file> -DLINE=<name> -DNUMBER=<n>
#         -DWORK=<folder> -P windows_pack_version.cmake

foreach(required TOOL WINDRES ROUTE TRAIN LINE NUMBER WORK)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "${required} is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${TOOL}" pack --route "${ROUTE}" --train "${TRAIN}" --line "${LINE}"
                        --number "${NUMBER}" -o "${WORK}"
                RESULT_VARIABLE packed ERROR_VARIABLE pack_err)
set(name "${LINE}_${NUMBER}")
if(NOT packed EQUAL 0 OR NOT EXISTS "${WORK}/${name}.exe")
  message(FATAL_ERROR "scenario pack ended with ${packed} and no ${name}.exe: ${pack_err}")
endif()

execute_process(COMMAND "${WINDRES}" -i "${WORK}/${name}.exe" -O rc
                RESULT_VARIABLE read OUTPUT_VARIABLE rc ERROR_VARIABLE rc_err)
if(NOT read EQUAL 0)
  message(FATAL_ERROR "no resources could be read from ${name}.exe: ${rc_err}")
endif()
string(REGEX REPLACE "\n[ ]+" "\n" rc "\n${rc}")
foreach(line
    "LANGUAGE 16, 1" "FILEVERSION 1, 0, 0, 0" "PRODUCTVERSION 1, 0, 0, 0" "FILEFLAGSMASK 0x3f"
    "FILEOS 0x40004" "FILETYPE 0x1" "BLOCK \"041004E4\"" "VALUE \"FileVersion\", \"1.00\""
    "VALUE \"ProductVersion\", \"1.00\"" "VALUE \"InternalName\", \"${name}\""
    "VALUE \"OriginalFilename\", \"${name}.exe\"" "VALUE \"Translation\", 0x410, 1252"
    "1 RCDATA")
  string(FIND "${rc}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the resources of ${name}.exe lack the line '${line}':${rc}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
