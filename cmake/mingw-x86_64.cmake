# 64-bit Windows: the same sources, for machines whose Wine cannot start
# 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(MINGW_BUILD win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
