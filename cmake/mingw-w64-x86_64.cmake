# Cross-compiling the packs for 64-bit Windows with the MinGW-w64 toolchain (Debian package
# g++-mingw-w64-x86-64). The runtime libraries are linked in, so the .exe runs on a bare system.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCENARIO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCENARIO_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${SCENARIO_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${SCENARIO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCENARIO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc, libstdc++ or threads DLL to ship beside the pack: only system DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
