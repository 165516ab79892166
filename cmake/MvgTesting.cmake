# mvg_test_folder(<name> LIBS <targets...>): one test program of all the .cpp files of the
# calling folder for this platform (tests and their helpers alike), run by CTest as one test
# (through Wine in the Windows build).
function(mvg_test_folder name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  mvg_folder_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "MVG_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
