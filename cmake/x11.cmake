# The X11 program (Linux and every Debian architecture): freeglut, GL and Xlib,
# and the window's icons compiled in.
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)

# The window's icons, compiled in as _NET_WM_ICON wants them.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(icon_pngs)
foreach(size IN ITEMS 16 32 48 128)
  list(APPEND icon_pngs ${PROJECT_SOURCE_DIR}/data/icons/${size}x${size}/apps/flames.png)
endforeach()
set(window_icon ${PROJECT_BINARY_DIR}/generated/window_icon.h)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${window_icon}
                   COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/png_to_argb.py kWindowIcon
                           ${window_icon} ${icon_pngs}
                   DEPENDS cmake/png_to_argb.py ${icon_pngs} VERBATIM)

target_sources(flames PRIVATE src/app/window_x11.cpp ${window_icon})
target_include_directories(flames PRIVATE ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(flames PRIVATE GLUT::GLUT OpenGL::GL X11::X11 ${CMAKE_DL_LIBS})
# How the end-to-end tests start the program built for another architecture:
# under the emulator that runs it here, if it needs one, in the same process.
if(CMAKE_CROSSCOMPILING)
  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator)
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/start-flames
       CONTENT "#!/bin/sh\nexec ${emulator} '$<TARGET_FILE:flames>' \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
# The compilers' version strings, which Debian's own packaging strips too.
add_custom_command(TARGET flames POST_BUILD
                   COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:flames>)
