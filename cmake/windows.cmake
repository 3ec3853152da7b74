# The Windows program, linked statically against freeglut built from Debian's
# source package, so that it needs no DLL Windows lacks; no time stamp, no symbols.
set(FLAMES_FREEGLUT_SOURCE "" CACHE PATH "freeglut's sources, as scripts/fetch-freeglut.sh unpacks them")
set(FREEGLUT_BUILD_SHARED_LIBS OFF CACHE BOOL "" FORCE)
set(FREEGLUT_BUILD_DEMOS OFF CACHE BOOL "" FORCE)
if(NOT EXISTS ${FLAMES_FREEGLUT_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "FLAMES_FREEGLUT_SOURCE ('${FLAMES_FREEGLUT_SOURCE}') holds no freeglut sources: "
                      "scripts/fetch-freeglut.sh DIR fetches them into DIR/source (make windows does)")
endif()
add_subdirectory(${FLAMES_FREEGLUT_SOURCE} freeglut EXCLUDE_FROM_ALL)
# Its own warnings are its maintainers' business.
target_compile_options(freeglut_static PRIVATE -w -ffile-prefix-map=${FLAMES_FREEGLUT_SOURCE}=freeglut)
# The exe's resources: the icon (PNG inside at 256 px), version block and manifest.
enable_language(RC)
set(icon ${PROJECT_BINARY_DIR}/flames.ico)
set(icon_pngs)
foreach(size IN ITEMS 16 24 32 48 64 256)
  list(APPEND icon_pngs ${PROJECT_SOURCE_DIR}/data/icons/${size}x${size}/apps/flames.png)
endforeach()
list(TRANSFORM icon_pngs PREPEND --raw= AT 5 OUTPUT_VARIABLE icotool_inputs)
add_custom_command(OUTPUT ${icon} COMMAND icotool --create --output=${icon} ${icotool_inputs}
                   DEPENDS ${icon_pngs} VERBATIM)
set(manifest ${PROJECT_BINARY_DIR}/flames.manifest)
configure_file(src/app/flames_win32.manifest.in ${manifest} @ONLY)
configure_file(src/app/flames_win32.rc.in flames.rc @ONLY)
configure_file(data/windows/README.txt.in README.txt @ONLY)
set_source_files_properties(${PROJECT_BINARY_DIR}/flames.rc PROPERTIES OBJECT_DEPENDS "${icon};${manifest}")
target_sources(flames PRIVATE src/app/window_win32.cpp ${PROJECT_BINARY_DIR}/flames.rc)
target_include_directories(flames PRIVATE ${FLAMES_FREEGLUT_SOURCE}/include)
target_link_libraries(flames PRIVATE freeglut_static)
target_link_options(flames PRIVATE -static -s -Wl,--no-insert-timestamp)
add_custom_target(zip ALL COMMAND ${PROJECT_SOURCE_DIR}/scripts/build-zip.sh ${PROJECT_BINARY_DIR}
                                  ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION} ${FLAMES_FREEGLUT_SOURCE}
                  DEPENDS flames ${PROJECT_BINARY_DIR}/README.txt LICENSE VERBATIM)
