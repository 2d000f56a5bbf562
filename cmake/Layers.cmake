# One static library per folder, each declaring the libraries it may use.
# A source or header that includes a project header of any other folder
# fails the build (cmake/CheckIncludes.cmake), so the layering cannot erode
# by an upward include that merely happens to compile.
#
#   vellaro_layer(<name> <folder> [USES <library>...] [LINKS <system library>...]
#                 [EXCLUDE <file>...])
#
# <folder> is relative to the source root; its own .cpp files, but for
# those excluded, are the library (not those of subfolders). A folder
# without sources makes no library, and a use of one is dropped.
# Every folder a project header can live in; a header belongs to the
# longest of them its path starts with.
set(VELLARO_FOLDERS platform res tests tools bench)
foreach(sub ${SUBSYSTEMS})
  list(APPEND VELLARO_FOLDERS ${sub} ${sub}/core)
endforeach()

function(vellaro_layer name folder)
  cmake_parse_arguments(LAYER "" "" "USES;LINKS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  foreach(excluded ${LAYER_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${folder}/${excluded})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  if(NOT sources)
    return()
  endif()
  set(uses)
  foreach(used ${LAYER_USES})
    if(TARGET ${used})
      list(APPEND uses ${used})
    endif()
  endforeach()

  # The folders this library may include from: its own and those of every
  # library it uses, directly or through another.
  set(allowed ${folder})
  foreach(used ${uses})
    get_target_property(used_allowed ${used} VELLARO_ALLOWED_FOLDERS)
    list(APPEND allowed ${used_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)

  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${uses} ${LAYER_LINKS})
  set_target_properties(${name} PROPERTIES VELLARO_ALLOWED_FOLDERS "${allowed}")

  # Lists travel to the check joined with '|': a ';' would split the
  # command's arguments.
  set(stamp ${CMAKE_BINARY_DIR}/layers/${name}.checked)
  set(files ${sources} ${headers})
  string(REPLACE ";" "|" allowed_arg "${allowed}")
  string(REPLACE ";" "|" folders_arg "${VELLARO_FOLDERS}")
  string(REPLACE ";" "|" files_arg "${files}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLIBRARY=${name} -DALLOWED=${allowed_arg} -DFOLDERS=${folders_arg}
            -DFILES=${files_arg} -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
    VERBATIM)
  add_custom_target(${name}_includes DEPENDS ${stamp})
  add_dependencies(${name} ${name}_includes)
endfunction()
