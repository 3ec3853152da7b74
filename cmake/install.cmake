# What make install puts where, and make package: the Debian package built
# from an install of this tree.

# The manual page and the package's changelog are installed compressed, as
# Debian wants them: gzip -n leaves no time stamp, so builds are reproducible.
configure_file(data/flames.1.in flames.1 @ONLY)
foreach(doc IN ITEMS ${PROJECT_BINARY_DIR}/flames.1 ${PROJECT_BINARY_DIR}/changelog)
  get_filename_component(name ${doc} NAME)
  add_custom_command(OUTPUT ${name}.gz COMMAND gzip -9nc ${doc} > ${name}.gz DEPENDS ${doc})
  list(APPEND compressed_docs ${PROJECT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed_docs})

set(app_id io.github.flames.flames)
install(TARGETS flames RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
if(FLAMES_HOMEPAGE)
  set(metainfo_homepage "\n  <url type=\"homepage\">${FLAMES_HOMEPAGE}</url>")
  set(control_homepage "\nHomepage: ${FLAMES_HOMEPAGE}")
endif()
configure_file(data/${app_id}.metainfo.xml.in ${app_id}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY data/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_BINARY_DIR}/flames.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# make package: the Debian package, built reproducibly from an install of this
# tree, for the architecture the program is built for.
configure_file(data/debian/control.in debian-control @ONLY)
if(NOT FLAMES_DEB_ARCH)
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE FLAMES_DEB_ARCH
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(FLAMES_DEB_ARCH ${FLAMES_DEB_ARCH} CACHE INTERNAL "Debian architecture of the package")
add_custom_target(deb COMMAND ${PROJECT_SOURCE_DIR}/scripts/build-deb.sh ${PROJECT_BINARY_DIR} ${FLAMES_DEB_ARCH}
                  VERBATIM)
add_dependencies(deb flames compressed_docs)
