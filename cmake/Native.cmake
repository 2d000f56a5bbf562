# Native build: the platform-free core and its tests, with the sanitizers on
# (VELLARO_SANITIZE=OFF builds it plain, for the benchmark's timing).
option(VELLARO_SANITIZE "Build the native core, tests and tools with ASan and UBSan" ON)
set(SANITIZERS)
if(VELLARO_SANITIZE)
  # The library's own checks too: an index past a container's end inside
  # its room is no fault ASan sees.
  set(SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all
                 -D_GLIBCXX_ASSERTIONS)
endif()
foreach(t ${CORE_LIBRARIES} gtest gtest_main)
  target_compile_options(${t} PRIVATE ${SANITIZERS})
endforeach()

include(GoogleTest)
file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(core_tests ${NATIVE_TESTS})
target_compile_options(core_tests PRIVATE ${SANITIZERS})
target_link_options(core_tests PRIVATE ${SANITIZERS})
target_link_libraries(core_tests PRIVATE ${CORE_LIBRARIES} gtest_main)
gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 60)

file(GLOB NATIVE_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/native/*.cpp)
if(NATIVE_TOOLS)
  # --pairwise checks the block comparison against the tests' oracle.
  add_executable(vellaro_native_bench ${NATIVE_TOOLS} ${CMAKE_SOURCE_DIR}/tests/native/PairwiseComparison.cpp)
  target_compile_options(vellaro_native_bench PRIVATE -O2 ${SANITIZERS})
  target_link_options(vellaro_native_bench PRIVATE ${SANITIZERS})
  target_link_libraries(vellaro_native_bench PRIVATE ${CORE_LIBRARIES})
endif()
