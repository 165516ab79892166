# The release package for Windows: MorvTxtMvg-<version>-win64.zip holding the two programs
# (statically linked, so they run on a bare Windows), the RUX/ pictures the dialog looks for
# beside its working folder, a README of its own for the people who unzip it, the sample grids
# and the pictures of the dialog and of the samples.
#   cmake --build build/windows --target package      (or: cd build/windows && cpack)
install(TARGETS MorvTxtMvg mvgtool RUNTIME DESTINATION .)
install(FILES
  ${PROJECT_SOURCE_DIR}/resources/RUX/easy.bmp
  ${PROJECT_SOURCE_DIR}/resources/RUX/easyUnderMouse.bmp
  ${PROJECT_SOURCE_DIR}/resources/RUX/easyPressed.bmp
  DESTINATION RUX)
install(FILES ${PROJECT_SOURCE_DIR}/docs/release/README.txt DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/ DESTINATION samples)
install(FILES ${PROJECT_SOURCE_DIR}/docs/MorvTxtMvg.png DESTINATION pictures)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/pictures/ DESTINATION pictures)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME MorvTxtMvg)
set(CPACK_PACKAGE_VENDOR MorvTxtMvg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME MorvTxtMvg-${PROJECT_VERSION}-win64)
# One folder of that name inside the archive: unzipped, it is ready to run.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# Every test run checks that the packaged programs need nothing but Windows' own DLLs.
add_test(NAME package_system_imports_only
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP}
          "-DPROGRAMS=$<TARGET_FILE:MorvTxtMvg>;$<TARGET_FILE:mvgtool>"
          -P ${CMAKE_CURRENT_LIST_DIR}/CheckSystemImports.cmake)
