# A step after linking that marks a Windows program to run from the page file when started
# from removable media or a network share, and writes its header checksum anew (GNU ld has
# no switch for these flags). The step is a small tool built for the build machine with its
# own C++ compiler, since the programs themselves are cross-compiled.
find_program(AUTORUN_MENU_HOST_CXX NAMES c++ g++ clang++ REQUIRED)

set(run_from_swap_tool ${PROJECT_BINARY_DIR}/tools/run-from-swap)
set(run_from_swap_sources
  ${PROJECT_SOURCE_DIR}/src/pe_header/run_from_swap.cpp
  ${PROJECT_SOURCE_DIR}/src/pe_header/pe_header.cpp)
add_custom_command(OUTPUT ${run_from_swap_tool}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/tools
  COMMAND ${AUTORUN_MENU_HOST_CXX} -std=c++17 -O2 -I${PROJECT_SOURCE_DIR}/src
          -o ${run_from_swap_tool} ${run_from_swap_sources}
  DEPENDS ${run_from_swap_sources} ${PROJECT_SOURCE_DIR}/src/pe_header/pe_header.h
          ${PROJECT_SOURCE_DIR}/src/bytes/little_endian.h
  COMMENT "Building run-from-swap for the build machine"
  VERBATIM)
add_custom_target(run-from-swap-tool DEPENDS ${run_from_swap_tool})

# Runs the step on `target` each time it is linked.
function(autorun_menu_run_from_swap target)
  add_dependencies(${target} run-from-swap-tool)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${run_from_swap_tool} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
