# Windows build: the program and the tests that drive its windows under Wine.
add_compile_options(-DWINVER=0x0601 -D_WIN32_WINNT=0x0601 -DWIN32_LEAN_AND_MEAN -DNOMINMAX)
set(WIN_LIBS comctl32 shell32 ole32 uuid gdi32 user32 kernel32)

# Everything that touches windows, files or the shell, except the start-up
# and the real user prompts, which the tests replace with scripted ones.
set(WIN_SOURCES)
foreach(sub ${SUBSYSTEMS} platform)
  file(GLOB sub_win CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${sub}/*.cpp)
  list(APPEND WIN_SOURCES ${sub_win})
endforeach()
list(REMOVE_ITEM WIN_SOURCES ${CMAKE_SOURCE_DIR}/app/Main.cpp)
add_library(vellaro_win STATIC ${WIN_SOURCES})
target_link_libraries(vellaro_win PUBLIC vellaro_core ${WIN_LIBS})

file(GLOB PROMPT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/prompts/*.cpp)
add_library(vellaro_resources OBJECT ${CMAKE_SOURCE_DIR}/res/vellaro.rc)
target_include_directories(vellaro_resources PRIVATE ${CMAKE_SOURCE_DIR})

set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
add_executable(vellaro WIN32 ${CMAKE_SOURCE_DIR}/app/Main.cpp ${PROMPT_SOURCES}
               $<TARGET_OBJECTS:vellaro_resources>)
target_link_libraries(vellaro PRIVATE vellaro_win)
target_link_options(vellaro PRIVATE ${STATIC_RUNTIME})
# The debug information goes into vellaro.exe.debug, which debuggers find
# by the link left in the program: Wine loads every section of a program
# into memory, and the information would take most of it.
add_custom_command(TARGET vellaro POST_BUILD
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:vellaro> $<TARGET_FILE:vellaro>.debug
  COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:vellaro>.debug $<TARGET_FILE:vellaro>
  WORKING_DIRECTORY $<TARGET_FILE_DIR:vellaro>
  VERBATIM)

# One test program per subsystem folder under tests/wine; each runs as one
# CTest test under Wine.
file(GLOB SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/support/*.cpp)
file(GLOB WINE_SUITES LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/wine/*)
foreach(dir ${WINE_SUITES})
  get_filename_component(suite ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR suite STREQUAL "support")
    continue()
  endif()
  file(GLOB suite_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT suite_sources)
    continue()
  endif()
  add_executable(wine_${suite}_tests ${suite_sources} ${SUPPORT_SOURCES}
                 $<TARGET_OBJECTS:vellaro_resources>)
  target_include_directories(wine_${suite}_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
  target_link_libraries(wine_${suite}_tests PRIVATE vellaro_win gtest_main)
  target_link_options(wine_${suite}_tests PRIVATE ${STATIC_RUNTIME})
  add_test(NAME wine_${suite} COMMAND wine_${suite}_tests)
  set_tests_properties(wine_${suite} PROPERTIES TIMEOUT 900)
endforeach()

# Small Win32 programs of the project's own: the screenshot driver and the
# benchmark's floor.
file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src ${TOOL_SOURCES})
  get_filename_component(tool ${src} NAME_WE)
  add_executable(${tool} ${src})
  target_link_libraries(${tool} PRIVATE vellaro_core ${WIN_LIBS})
  target_link_options(${tool} PRIVATE ${STATIC_RUNTIME})
endforeach()

# The benchmark of the shown settings dialog (make bench): the program's
# dialog with the real prompts, driven as its user would.
add_executable(settings_bench ${CMAKE_SOURCE_DIR}/bench/wine/settings_bench.cpp ${PROMPT_SOURCES}
               ${CMAKE_SOURCE_DIR}/tests/wine/support/DroppedFiles.cpp
               ${CMAKE_SOURCE_DIR}/tests/wine/support/TempTree.cpp $<TARGET_OBJECTS:vellaro_resources>)
target_include_directories(settings_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
target_link_libraries(settings_bench PRIVATE vellaro_win)
target_link_options(settings_bench PRIVATE ${STATIC_RUNTIME})
