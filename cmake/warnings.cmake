# Warnings for the project's own targets (not for GoogleTest's sources).
set(AUTORUN_MENU_WARNINGS -Wall -Wextra -Wshadow -Wpedantic)
function(autorun_menu_warnings target)
  target_compile_options(${target} PRIVATE ${AUTORUN_MENU_WARNINGS})
endfunction()
