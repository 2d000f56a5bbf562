# 32-bit Windows: the product.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLE i686-w64-mingw32)
set(MINGW_BUILD win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
