# The installed layout on Linux (cmake --install, and the .deb that CPack makes of it):
#   bin/velmorin, bin/velmorin-cli
#   share/velmorin/LOGO.BMP, README.HTM     read by the program from ../share/velmorin
#   share/applications/, share/metainfo/, share/icons/hicolor/   the desktop's entries
#   share/man/man1/velmorin-cli.1.gz        the tool's --help texts as a manual page
# An installed program's folder is not the user's to write: the program keeps its settings
# and working files in the user's own folders then (src/core/app/program_files.h).
include(GNUInstallDirs)
set(velmorin_app_id org.velmorin.Velmorin)
set(linux_dir ${PROJECT_SOURCE_DIR}/packaging/linux)

install(TARGETS velmorin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/README.HTM DESTINATION ${CMAKE_INSTALL_DATADIR}/velmorin)

# The manual page, written from the built tool's own --help texts.
find_program(VELMORIN_GZIP gzip REQUIRED)
set(man_page ${CMAKE_CURRENT_BINARY_DIR}/velmorin-cli.1)
add_custom_command(OUTPUT ${man_page}.gz
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:velmorin-cli> -DVERSION=${PROJECT_VERSION}
          -DOUT=${man_page} -P ${PROJECT_SOURCE_DIR}/cmake/help_to_man.cmake
  COMMAND ${VELMORIN_GZIP} -9nf ${man_page}
  DEPENDS velmorin-cli ${PROJECT_SOURCE_DIR}/cmake/help_to_man.cmake VERBATIM)
add_custom_target(velmorin_man_page ALL DEPENDS ${man_page}.gz)
install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The desktop program's page is short and written once.
set(program_page ${CMAKE_CURRENT_BINARY_DIR}/velmorin.1)
add_custom_command(OUTPUT ${program_page}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${linux_dir}/velmorin.1 ${program_page}
  COMMAND ${VELMORIN_GZIP} -9nf ${program_page}
  DEPENDS ${linux_dir}/velmorin.1 VERBATIM)
add_custom_target(velmorin_program_page ALL DEPENDS ${program_page}.gz)

if(VELMORIN_BUILD_GUI)
  install(TARGETS velmorin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/src/gui/LOGO.BMP DESTINATION ${CMAKE_INSTALL_DATADIR}/velmorin)
  install(FILES ${program_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${linux_dir}/${velmorin_app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${linux_dir}/${velmorin_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${linux_dir}/${velmorin_app_id}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The drawn sizes come from the same drawing as the windows' icon.
  set(icon_sizes 16 24 32 48 64 128 256)
  set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
  set(icon_files)
  foreach(size IN LISTS icon_sizes)
    list(APPEND icon_files ${icon_dir}/${size}x${size}.png)
    install(FILES ${icon_dir}/${size}x${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${velmorin_app_id}.png)
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND make_icon_images ${icon_dir} ${icon_sizes}
    DEPENDS make_icon_images VERBATIM)
  add_custom_target(velmorin_icons ALL DEPENDS ${icon_files})
endif()

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmorin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Who answers for the package; a distributor sets their own.
set(VELMORIN_DEB_MAINTAINER "The Velmorin developers <velmorin@example.org>"
  CACHE STRING "Maintainer field of the .deb")
set(CPACK_PACKAGE_CONTACT "${VELMORIN_DEB_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "silence stretches of audio inside DVD-Video VOB files")
set(CPACK_PACKAGE_DESCRIPTION "\
Velmorin silences chosen stretches of audio inside DVD-Video material, in\n\
place: no re-encoding, and no file changes size. A desktop program shows one\n\
line per VOBU with its time code, cell and chapter marks, plays a stretch in a\n\
media player and sets each VOBU's audio pattern. velmorin-cli does the same\n\
for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are the packages of the shared libraries the programs link (Qt 6, and
# FFmpeg's and pocketsphinx's where the speech library is built).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# Placing words needs the recogniser's English model; without it whole cues are silenced.
if(VELMORIN_SPEECH_BUILT)
  string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", pocketsphinx-en-us")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Debian wants the copyright and a changelog in the package's documentation folder.
install(FILES ${linux_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# A native package: its changelog is changelog.gz.
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
file(WRITE ${changelog} "velmorin (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
  "  * Release ${PROJECT_VERSION}.\n\n"
  " -- ${CPACK_PACKAGE_CONTACT}  Mon, 07 Dec 2026 00:00:00 +0000\n")
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${VELMORIN_GZIP} -9nkf ${changelog} DEPENDS ${changelog} VERBATIM)
add_custom_target(velmorin_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(CPack)
