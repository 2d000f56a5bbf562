# Windows build: the program and the tests that drive its windows under Wine.
add_compile_options(-DWINVER=0x0601 -D_WIN32_WINNT=0x0601 -DWIN32_LEAN_AND_MEAN -DNOMINMAX)
set(WIN_LIBS comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32)

# Everything that touches windows, files or the shell, one library per
# folder, each using only the layers below it. The start-up and the real
# user prompts are linked into the program alone: the tests replace the
# prompts with scripted ones.
vellaro_layer(platform platform USES common_core LINKS ${WIN_LIBS})
vellaro_layer(common common USES platform common_core)
vellaro_layer(engine engine USES common engine_core)
vellaro_layer(review review USES engine review_core)
vellaro_layer(settings settings USES common settings_core)
vellaro_layer(app app USES review settings app_core EXCLUDE Main.cpp)

file(GLOB PROMPT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/prompts/*.cpp)
add_library(vellaro_resources OBJECT ${CMAKE_SOURCE_DIR}/res/vellaro.rc)
target_include_directories(vellaro_resources PRIVATE ${CMAKE_SOURCE_DIR})

set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
# A 32-bit program may use all 4 GB of address space that 64-bit Windows
# gives it, which a search of millions of files needs: the code keeps no
# pointer in an int and does no pointer arithmetic in signed integers. The
# tests run the same way. (64-bit programs have it by default.)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND STATIC_RUNTIME -Wl,--large-address-aware)
endif()
add_executable(vellaro WIN32 ${CMAKE_SOURCE_DIR}/app/Main.cpp ${PROMPT_SOURCES}
               $<TARGET_OBJECTS:vellaro_resources>)
target_link_libraries(vellaro PRIVATE app)
# No link time in the header: the same sources give the same program.
target_link_options(vellaro PRIVATE ${STATIC_RUNTIME} -Wl,--no-insert-timestamp)
# The debug information goes into vellaro.exe.debug, which debuggers find
# by the link left in the program: Wine loads every section of a program
# into memory, and the information would take most of it. objcopy writes
# the time of the day into the header unless SOURCE_DATE_EPOCH names one.
set(OBJCOPY_NO_TIME ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
add_custom_command(TARGET vellaro POST_BUILD
  COMMAND ${OBJCOPY_NO_TIME} --only-keep-debug $<TARGET_FILE:vellaro> $<TARGET_FILE:vellaro>.debug
  COMMAND ${OBJCOPY_NO_TIME} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:vellaro>.debug $<TARGET_FILE:vellaro>
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
  target_link_libraries(wine_${suite}_tests PRIVATE app gtest_main)
  target_link_options(wine_${suite}_tests PRIVATE ${STATIC_RUNTIME})
  add_test(NAME wine_${suite} COMMAND wine_${suite}_tests)
  set_tests_properties(wine_${suite} PROPERTIES TIMEOUT 900)
endforeach()

# The dialogs' looks again as other screens and set-ups show them: at 144
# DPI, and without the replacement of the dialogs' font at 96 and 144 DPI.
foreach(setting "144" "96;--no-replacement" "144;--no-replacement")
  list(GET setting 0 dpi)
  set(name wine_looks_${dpi}dpi)
  if(setting MATCHES "no-replacement")
    set(name ${name}_substituted_font)
  endif()
  add_test(NAME ${name}
           COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/at-dpi.sh ${MINGW_BUILD} ${setting}
                   $<TARGET_FILE:wine_app_tests> --gtest_filter=DialogLooks.*)
endforeach()

# Small Win32 programs of the project's own: the screenshot driver and the
# benchmark's floor.
file(GLOB TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp)
foreach(src ${TOOL_SOURCES})
  get_filename_component(tool ${src} NAME_WE)
  add_executable(${tool} ${src})
  target_link_libraries(${tool} PRIVATE ${CORE_LIBRARIES} ${WIN_LIBS})
  target_link_options(${tool} PRIVATE ${STATIC_RUNTIME})
endforeach()

# Benchmarks of the shown windows (make bench), one program per file: the
# program's own code with the real prompts, driven as its user would.
# The tests' support serves them too, but for the scripted prompts.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/wine/*.cpp)
set(BENCH_SUPPORT ${SUPPORT_SOURCES})
list(REMOVE_ITEM BENCH_SUPPORT ${CMAKE_SOURCE_DIR}/tests/wine/support/ScriptedPrompts.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(bench ${src} NAME_WE)
  add_executable(${bench} ${src} ${PROMPT_SOURCES} ${BENCH_SUPPORT} $<TARGET_OBJECTS:vellaro_resources>)
  target_include_directories(${bench} PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
  target_link_libraries(${bench} PRIVATE app)
  target_link_options(${bench} PRIVATE ${STATIC_RUNTIME})
endforeach()
