# The editor's findings, the parts that need no Win32 call: the findings as bytes between the
# check's process and the editor, its command line and its paths. Built for every target and
# tested on the host; included from src/CMakeLists.txt, which the host build leaves before
# the editor's own folder.
add_library(autorun-menu-edit-findings-logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/findings_wire.cpp
  ${CMAKE_CURRENT_LIST_DIR}/findings_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/findings_result.cpp
)
target_include_directories(autorun-menu-edit-findings-logic PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(autorun-menu-edit-findings-logic PUBLIC autorun-menu-check-logic)
autorun_menu_warnings(autorun-menu-edit-findings-logic)
if(WIN32)
  target_compile_options(autorun-menu-edit-findings-logic PRIVATE ${AUTORUN_MENU_PROGRAM_FLAGS})
endif()
