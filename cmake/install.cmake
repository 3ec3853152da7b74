# What make install puts where; the Debian package (debian/) installs the
# same, and debhelper compresses the manual page and the changelog.
configure_file(data/flames.1.in flames.1 @ONLY)
configure_file(data/flames.ru.1.in ru/flames.1 @ONLY)
set(app_id io.github.flames.flames)
if(FLAMES_HOMEPAGE)
  set(metainfo_homepage "\n  <url type=\"homepage\">${FLAMES_HOMEPAGE}</url>")
endif()
configure_file(data/${app_id}.metainfo.xml.in ${app_id}.metainfo.xml @ONLY)

install(TARGETS flames RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY data/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_BINARY_DIR}/flames.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/ru/flames.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
install(FILES debian/copyright debian/changelog DESTINATION ${CMAKE_INSTALL_DOCDIR})
