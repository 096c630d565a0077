# The packer of a cross build: a `scenario` command that runs on the build machine. It is
# SCENARIO_HOST_SCENARIO when that names one; otherwise this project builds it natively, in
# <build>/host, before any pack. Sets SCENARIO_PACKER and SCENARIO_PACKER_DEPENDS.

set(SCENARIO_HOST_SCENARIO "" CACHE FILEPATH
    "A `scenario` command for the build machine, to make the packs of a cross build (empty: build one)")

if(SCENARIO_HOST_SCENARIO)
  set(SCENARIO_PACKER ${SCENARIO_HOST_SCENARIO})
  set(SCENARIO_PACKER_DEPENDS ${SCENARIO_HOST_SCENARIO})
  return()
endif()

include(ExternalProject)
# Under make, the inner build shares the outer one's job slots.
if(CMAKE_GENERATOR MATCHES "Make")
  set(build_command $(MAKE) scenario)
else()
  set(build_command ${CMAKE_COMMAND} --build <BINARY_DIR> --target scenario)
endif()
set(host_binary_dir ${PROJECT_BINARY_DIR}/host)
set(host_scenario ${host_binary_dir}/tools/scenario)
# A native configure: no toolchain file, so the build machine's own compiler.
ExternalProject_Add(host_packer
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${host_binary_dir}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DSCENARIO_BUILD_TESTS=OFF -DSCENARIO_WINDOWS_STUB=OFF
  BUILD_COMMAND ${build_command}
  INSTALL_COMMAND ""
  # The sources are this project's own: the inner build knows what is out of date.
  BUILD_ALWAYS TRUE
  BUILD_BYPRODUCTS ${host_scenario})
set(SCENARIO_PACKER ${host_scenario})
set(SCENARIO_PACKER_DEPENDS host_packer ${host_scenario})
