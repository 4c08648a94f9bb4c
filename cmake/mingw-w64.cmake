# Cross build for Windows with MinGW-w64, for the target that the including toolchain
# file names in quorl_mingw_target.
set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model: GoogleTest needs std::mutex, which the win32 model lacks;
# winpthread is linked statically like the rest of the runtime.
set(CMAKE_C_COMPILER ${quorl_mingw_target}-gcc-posix)
set(CMAKE_CXX_COMPILER ${quorl_mingw_target}-g++-posix)
set(CMAKE_RC_COMPILER ${quorl_mingw_target}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${quorl_mingw_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Cross-built tests run under wine; scripts/wine-run sets up the prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
