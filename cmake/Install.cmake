# Installation and the Debian package: the program under games/, its data
# under share/games/yolvar-krandel/, a menu entry, icons, AppStream metadata
# and a manual page. The installed program finds its data from its own path.
set(YK_APP_ID "example.yolvar_krandel.YolvarKrandel" CACHE STRING "AppStream id (reverse DNS of the homepage)")
set(YK_HOMEPAGE "https://yolvar-krandel.example" CACHE STRING "Project homepage; screenshots are published below it")
set(YK_RELEASE_DATE "2026-12-10")
set(YK_SHARE_DIR share/games/yolvar-krandel)
set(YK_DIST ${CMAKE_BINARY_DIR}/dist)

configure_file(dist/desktop.in ${YK_DIST}/${YK_APP_ID}.desktop @ONLY)
configure_file(dist/metainfo.xml.in ${YK_DIST}/${YK_APP_ID}.metainfo.xml @ONLY)
configure_file(dist/yolvar-krandel.6 ${YK_DIST}/yolvar-krandel.6 @ONLY)

# Debian wants the manual page and changelog compressed, reproducibly.
add_custom_command(
  OUTPUT ${YK_DIST}/yolvar-krandel.6.gz
  COMMAND gzip -9nkf ${YK_DIST}/yolvar-krandel.6
  DEPENDS ${YK_DIST}/yolvar-krandel.6)
add_custom_command(
  OUTPUT ${YK_DIST}/changelog.gz
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/dist/changelog > ${YK_DIST}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/changelog)
add_custom_command(
  OUTPUT ${YK_DIST}/icons/256x256/apps/yolvar-krandel.png
  COMMAND yk-art icons ${YK_DIST}/icons
  DEPENDS yk-art
  COMMENT "Drawing the desktop icons")
add_custom_target(dist ALL DEPENDS ${YK_DIST}/yolvar-krandel.6.gz ${YK_DIST}/changelog.gz
                                   ${YK_DIST}/icons/256x256/apps/yolvar-krandel.png)

install(TARGETS yolvar-krandel RUNTIME DESTINATION games)
install(DIRECTORY ${YK_DATA_DIR}/ DESTINATION ${YK_SHARE_DIR} PATTERN fonts EXCLUDE)
# The font belongs to its own package (fonts-dejavu-core): link, don't copy;
# relative when the font lies under the same prefix (/usr), as Debian wants.
install(CODE "
  set(dir \"\${CMAKE_INSTALL_PREFIX}/${YK_SHARE_DIR}/fonts\")
  set(font \"${YK_FONT_FILE}\")
  if(font MATCHES \"^\${CMAKE_INSTALL_PREFIX}/\")
    file(RELATIVE_PATH font \"\${dir}\" \"\${font}\")
  endif()
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${dir}\")
  file(CREATE_LINK \"\${font}\" \"\$ENV{DESTDIR}\${dir}/DejaVuSans-Bold.ttf\" SYMBOLIC)")
install(FILES ${YK_DIST}/${YK_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${YK_DIST}/${YK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${YK_DIST}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${YK_DIST}/yolvar-krandel.6.gz DESTINATION share/man/man6)
install(FILES dist/copyright ${YK_DIST}/changelog.gz DESTINATION share/doc/yolvar-krandel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yolvar-krandel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Yolvar Krandel developers <dev@yolvar-krandel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: purge alien parasites with a spiked puck")
# The synopsis comes from the summary; CPack indents these lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "An astronaut has been infected by alien parasites. Fire laser pulses from
the four walls of an arena inside his body to push a spiked puck into the
eggs and parasites before they reach the edge. 35 levels in four body
systems, power-ups, body-part obstacles, six bosses and a growing end boss,
for one or two players.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${YK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
