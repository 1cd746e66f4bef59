# 64-bit Windows: the same code, for testing the Windows layer on a machine
# whose kernel runs no 32-bit programs (and so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SCENE2_WINE_BUILD win64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
