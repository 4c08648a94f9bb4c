# Cross build for 32-bit Windows, the program as shipped; its tests run under 32-bit wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(quorl_mingw_target i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
