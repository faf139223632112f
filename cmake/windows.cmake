# Windows builds: ANSI entry points, a static runtime so the programs import only DLLs
# that every Windows has, and small code.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static)
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)

# Address space layout randomisation and data execution prevention, with high-entropy
# addresses on x64.
add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-Wl,--high-entropy-va)
endif()
# The same bytes from every build of one commit, wherever the tree lies: no link time stamp
# in the header, and no path of the source or build folder in any object (the names
# the compiler writes for assertions and symbols are relative to them instead).
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)

set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "" FORCE)

# What the program itself is built with: no C++ exceptions and no run-time type information.
# Nothing in it throws (allocation failures come back as null), so the exception runtime,
# its unwinder and its thread support would only make the program larger and slower to
# load. Tests keep both; they link the same code.
set(AUTORUN_MENU_PROGRAM_FLAGS -fno-exceptions -fno-rtti -fno-threadsafe-statics)

# The authors' tools' own parts that no figure depends on (publishing, signing, the editor's
# window and session) are built for size: the editor carries them and must stay small enough
# to carry anywhere. The menu's code and what the editor's preview and findings run keep -O2.
set(AUTORUN_MENU_SIZE_FLAGS -Os)
