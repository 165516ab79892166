# mvg_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# One test program per source folder; CTest runs each program as one test
# (through Wine in the Windows build).
function(mvg_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "MVG_SOURCE_DIR=${PROJECT_SOURCE_DIR};MVG_SHARED_DIR=${MVG_SHARED_DIR}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
