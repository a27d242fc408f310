# Packaging.cmake -- how Vorlusk installs as a desktop game, and the .deb CPack makes of that.
#
# Debian's layout for games: the launcher players run in <prefix>/games, the program itself out of
# the PATH in <prefix>/lib/games/vorlusk (it only works when started in its data folder, which the
# launcher sees to), the data in <prefix>/share/games/vorlusk. The launcher finds the other two
# relative to itself, so the installed tree works under any prefix.
set(VORLUSK_VERSION ${PROJECT_VERSION})
# The .deb's own revision of that version, its history in changelog.Debian.gz
# (packaging/changelog.in); without one the package would count as Debian-native.
set(VORLUSK_DEBIAN_REVISION 1)
# The AppStream id; see vorlusk.metainfo.xml.in for why under vorlusk.invalid.
set(VORLUSK_APP_ID invalid.vorlusk.vorlusk)
set(VORLUSK_RELEASE_DATE 2026-12-07)
# The same day as Debian's changelog writes it.
set(VORLUSK_CHANGELOG_DATE "Mon, 07 Dec 2026 00:00:00 +0000")
set(VORLUSK_PACKAGE_MAINTAINER "The Vorlusk authors <maintainers@vorlusk.invalid>"
  CACHE STRING "Maintainer line of the .deb: whoever builds packages for others puts theirs here")

set(VORLUSK_LAUNCHER_DIR games)
set(VORLUSK_PROGRAM_DIR lib/games/vorlusk)
set(VORLUSK_DATA_DIR share/games/vorlusk)
set(VORLUSK_DOC_DIR share/doc/vorlusk)

set(packaging ${CMAKE_CURRENT_LIST_DIR})
set(generated ${CMAKE_BINARY_DIR}/packaging)

# The launcher, once for the installed tree and once for the build folder (`make run`). The
# installed folders are relative to the prefix, so any root (/p) gives the path between them.
file(RELATIVE_PATH LAUNCHER_TO_PROGRAMS /p/${VORLUSK_LAUNCHER_DIR} /p/${VORLUSK_PROGRAM_DIR})
file(RELATIVE_PATH LAUNCHER_TO_DATA /p/${VORLUSK_LAUNCHER_DIR} /p/${VORLUSK_DATA_DIR})
configure_file(${packaging}/launcher.sh.in ${generated}/vorlusk @ONLY)
set(LAUNCHER_TO_PROGRAMS .)
file(RELATIVE_PATH LAUNCHER_TO_DATA ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}/data)
configure_file(${packaging}/launcher.sh.in ${CMAKE_BINARY_DIR}/vorlusk-launch
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
  WORLD_EXECUTE @ONLY)

configure_file(${packaging}/vorlusk.metainfo.xml.in
  ${generated}/${VORLUSK_APP_ID}.metainfo.xml @ONLY)

# Debian's machine-readable copyright, with both licences' full texts taken from the files they
# live in: LICENSE (its first line names the holder) and the font's OFL (CRLF line ends). A text
# becomes a field's body with each line indented by one space and blank lines written " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/data/BAUHS93-OFL.txt)
function(vorlusk_copyright_body text out)
  string(REPLACE "\r" "" text "${text}")
  string(STRIP "${text}" text)
  string(REPLACE "\n" "\n " text " ${text}")
  # Twice, because neighbouring blank lines share the line end between them.
  string(REPLACE "\n \n" "\n .\n" text "${text}")
  string(REPLACE "\n \n" "\n .\n" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(FIND "${license}" "\n" line_end)
string(SUBSTRING "${license}" 0 ${line_end} VORLUSK_COPYRIGHT)
string(REPLACE "Copyright (c) " "" VORLUSK_COPYRIGHT "${VORLUSK_COPYRIGHT}")
string(SUBSTRING "${license}" ${line_end} -1 license)
vorlusk_copyright_body("${license}" VORLUSK_ZLIB_TEXT)
file(READ ${PROJECT_SOURCE_DIR}/data/BAUHS93-OFL.txt ofl)
vorlusk_copyright_body("${ofl}" VORLUSK_OFL_TEXT)
configure_file(${packaging}/copyright.in ${generated}/copyright @ONLY)

# Debian wants the manual page and the changelog compressed; -n keeps the name and time out of the
# header, so the same sources make the same package.
configure_file(${packaging}/changelog.in ${generated}/changelog @ONLY)
find_program(VORLUSK_GZIP gzip)
if(NOT VORLUSK_GZIP)
  message(FATAL_ERROR "gzip is needed for the manual page and the changelog")
endif()
add_custom_command(OUTPUT ${generated}/vorlusk.6.gz ${generated}/changelog.gz
  COMMAND ${VORLUSK_GZIP} -n -9 -c ${packaging}/vorlusk.6 > ${generated}/vorlusk.6.gz
  COMMAND ${VORLUSK_GZIP} -n -9 -c ${generated}/changelog > ${generated}/changelog.gz
  DEPENDS ${packaging}/vorlusk.6 ${generated}/changelog)
add_custom_target(vorlusk-docs ALL DEPENDS ${generated}/vorlusk.6.gz ${generated}/changelog.gz)

install(TARGETS vorlusk vorlusk-audio-probe RUNTIME DESTINATION ${VORLUSK_PROGRAM_DIR})
install(PROGRAMS ${generated}/vorlusk DESTINATION ${VORLUSK_LAUNCHER_DIR})
# The icons are the desktop's but one, the window's own; the licences go with the package's
# documents.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${VORLUSK_DATA_DIR}
  PATTERN icons EXCLUDE PATTERN LICENSE.md EXCLUDE PATTERN BAUHS93-OFL.txt EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/vorlusk-64.png DESTINATION ${VORLUSK_DATA_DIR}/icons)
foreach(size 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/vorlusk-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vorlusk.png)
endforeach()
install(FILES ${packaging}/vorlusk.desktop DESTINATION share/applications)
install(FILES ${generated}/${VORLUSK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${generated}/copyright DESTINATION ${VORLUSK_DOC_DIR})
install(FILES ${generated}/changelog.gz DESTINATION ${VORLUSK_DOC_DIR} RENAME changelog.Debian.gz)
install(FILES ${generated}/vorlusk.6.gz DESTINATION share/man/man6)
install(FILES ${packaging}/lintian-overrides DESTINATION share/lintian/overrides RENAME vorlusk)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlusk)
set(CPACK_PACKAGE_VERSION ${VORLUSK_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vorlusk authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: dodge fireballs over a sliding carpet")
# Wrapped here: dpkg shows the lines as they are.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Your ship hangs at the centre of the screen over a huge woven carpet; the"
  "arrow keys or a joystick thrust, and the carpet slides under you. Four aliens"
  "patrol the screen's edges and throw fireballs at you. Every hit freezes one"
  "of your eight jets, and a frozen jet thaws only while you thrust away from it."
  "When the clock runs out with every jet clear, you launch away; let all eight"
  "freeze and you crash. A flight lasts about 105 seconds.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VORLUSK_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORLUSK_PACKAGE_MAINTAINER}")
# Dependencies from the shared libraries the program links, as dpkg-shlibdeps reads them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
