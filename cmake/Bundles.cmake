# What a scenario author downloads: the `scenario` command, the pack stubs it makes packs from,
# the author's README and the shipped scenario's five files as an example. `cmake --install`
# lays them out as the command expects (the stubs beside it on Windows, in lib/scenario on
# Linux); cpack makes the bundle of this build's system from the same rules (component
# "author"): a ZIP for Windows, a tar.gz for Linux. The README names the two build commands.

if(WIN32)
  set(author_bin .)
  set(author_stubs .)
  set(author_docs .)
else()
  set(author_bin ${CMAKE_INSTALL_BINDIR})
  set(author_stubs ${SCENARIO_STUB_INSTALL_DIR})
  set(author_docs ${CMAKE_INSTALL_DATAROOTDIR}/doc/scenario)
endif()

if(TARGET scenario)
  install(TARGETS scenario RUNTIME DESTINATION ${author_bin} COMPONENT author)
endif()
install(TARGETS pack_stub RUNTIME DESTINATION ${author_stubs} COMPONENT author)
if(SCENARIO_WINDOWS_STUB_FILE)
  install(PROGRAMS ${SCENARIO_WINDOWS_STUB_FILE} DESTINATION ${author_stubs} COMPONENT author)
endif()
configure_file(${PROJECT_SOURCE_DIR}/bundle/README.txt.in ${PROJECT_BINARY_DIR}/bundle/README.txt
               @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/bundle/README.txt DESTINATION ${author_docs} COMPONENT author)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/scenarios/vallombra_marina/
        DESTINATION ${author_docs}/example COMPONENT author)

set(CPACK_PACKAGE_NAME scenario)
set(CPACK_PACKAGE_VENDOR "Scenario pack authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Makes scenario packs for the train-driving simulator")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME scenario-${PROJECT_VERSION}-windows)
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME scenario-${PROJECT_VERSION}-linux)
endif()
set(CPACK_COMPONENTS_ALL author)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)  # unpacked, a folder of its own
set(CPACK_ARCHIVE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME})
include(CPack)
