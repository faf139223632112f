# Native build of the platform-independent logic with clang and the sanitizers.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(AUTORUN_MENU_SANITIZE ON CACHE BOOL "Build with AddressSanitizer and UndefinedBehaviorSanitizer")
set(AUTORUN_MENU_FUZZ ON CACHE BOOL "Build the libFuzzer targets")
