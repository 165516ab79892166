# Source lists by folder. Files ending in -win32.cpp build only for Windows,
# files ending in -posix.cpp only elsewhere.

# mvg_folder_sources(<out-var> <folder>): the .cpp files of a folder for this platform.
function(mvg_folder_sources out folder)
  file(GLOB all CONFIGURE_DEPENDS ${folder}/*.cpp)
  set(result)
  foreach(f ${all})
    if(f MATCHES "-win32(Test)?\\.cpp$" AND NOT WIN32)
      continue()
    endif()
    if(f MATCHES "-posix(Test)?\\.cpp$" AND WIN32)
      continue()
    endif()
    list(APPEND result ${f})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# mvg_library(<name> [LIBS <targets...>]): a static library of this folder's sources.
function(mvg_library name)
  cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
  mvg_folder_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_LIBS})
endfunction()
