# The Windows pack stub in a native build, so that the native `scenario pack` makes Windows
# packs too (its default target): cross-built with MinGW-w64 in <build>/windows-stub and placed
# beside the command as scenario-pack-windows.exe. Skipped, with a note, when MinGW-w64 is not
# installed; SCENARIO_WINDOWS_STUB=OFF skips it too. Sets SCENARIO_WINDOWS_STUB_FILE when built.

option(SCENARIO_WINDOWS_STUB "Cross-build the Windows pack stub beside the native command" ON)
if(CMAKE_CROSSCOMPILING OR NOT SCENARIO_WINDOWS_STUB)
  return()
endif()
find_program(SCENARIO_MINGW_CXX x86_64-w64-mingw32-g++)
if(NOT SCENARIO_MINGW_CXX)
  message(STATUS "x86_64-w64-mingw32-g++ not found: no Windows pack stub, so `scenario pack` "
                 "makes Linux packs only (install g++-mingw-w64-x86-64 for Windows ones)")
  return()
endif()

include(ExternalProject)
# Under make, the inner build shares the outer one's job slots.
if(CMAKE_GENERATOR MATCHES "Make")
  set(build_command $(MAKE) pack_stub)
else()
  set(build_command ${CMAKE_COMMAND} --build <BINARY_DIR> --target pack_stub)
endif()
set(SCENARIO_WINDOWS_STUB_FILE ${PROJECT_BINARY_DIR}/tools/scenario-pack-windows.exe)
ExternalProject_Add(windows_stub
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PROJECT_BINARY_DIR}/windows-stub
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
             -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BUILD_TESTS=OFF
             # the stub alone is built there; this build's command would make its packs
             -DSCENARIO_HOST_SCENARIO=$<TARGET_FILE:scenario>
  BUILD_COMMAND ${build_command}
  INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different
                  <BINARY_DIR>/tools/scenario-pack-windows.exe ${SCENARIO_WINDOWS_STUB_FILE}
  BUILD_ALWAYS TRUE
  BUILD_BYPRODUCTS ${SCENARIO_WINDOWS_STUB_FILE})
