# The Windows package, velmorin-windows-ARCH.zip (cpack in a MinGW-w64 build folder):
# velmorin.exe, velmorin-cli.exe, the help document README.HTM and the start-up picture
# LOGO.BMP that lie beside the programs, and README-WINDOWS.txt on how to run them.

# LOGO.BMP is drawn at build time by a generator of the standard library alone; built with
# the host's compiler it runs here for either architecture, and draws the same bytes as
# the Linux build's.
find_program(VELMORIN_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(logo_generator ${CMAKE_CURRENT_BINARY_DIR}/make_logo_bitmap_host)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/LOGO.BMP
  COMMAND ${VELMORIN_HOST_CXX} -std=c++20 -O2 -o ${logo_generator}
          ${PROJECT_SOURCE_DIR}/src/gui/make_logo_bitmap.cpp
  COMMAND ${logo_generator} ${CMAKE_CURRENT_BINARY_DIR}/LOGO.BMP
  DEPENDS ${PROJECT_SOURCE_DIR}/src/gui/make_logo_bitmap.cpp VERBATIM)
add_custom_target(velmorin_logo ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/LOGO.BMP)

# Windows' own editors expect CRLF line ends.
configure_file(${PROJECT_SOURCE_DIR}/cmake/README-WINDOWS.txt.in
  ${CMAKE_CURRENT_BINARY_DIR}/README-WINDOWS.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS velmorin velmorin-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/README.HTM ${CMAKE_CURRENT_BINARY_DIR}/LOGO.BMP
  ${CMAKE_CURRENT_BINARY_DIR}/README-WINDOWS.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME velmorin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME velmorin-windows-${VELMORIN_WINDOWS_ARCH})
set(CPACK_STRIP_FILES ON)  # the build's debugging information stays in the build folder
include(CPack)
