# 32-bit Windows: the release's binaries.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SCENE2_WINE_BUILD win32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
