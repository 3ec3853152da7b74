# The X11 program: freeglut, GL and Xlib, and the window's icons compiled in.
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)

# The icons as _NET_WM_ICON wants them (width, height, ARGB words), read by ImageMagick.
find_program(FLAMES_CONVERT convert REQUIRED)
set(icon_words "")
foreach(size IN ITEMS 16 32 48 128)
  set(png ${PROJECT_SOURCE_DIR}/data/icons/${size}x${size}/apps/flames.png)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${png})
  execute_process(COMMAND ${FLAMES_CONVERT} ${png} -depth 8 rgba:- COMMAND od -An -v -tx1
                  OUTPUT_VARIABLE rgba COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE "[ \n]+([0-9a-f]+)[ \n]+([0-9a-f]+)[ \n]+([0-9a-f]+)[ \n]+([0-9a-f]+)" "0x\\4\\1\\2\\3,"
                       pixels "${rgba}")
  string(APPEND icon_words "${size}, ${size},\n${pixels}\n")
endforeach()
set(window_icon ${PROJECT_BINARY_DIR}/generated/window_icon.h)
file(CONFIGURE OUTPUT ${window_icon} CONTENT "// The project's icons, made at build time from data/icons.
#pragma once
#include <cstdint>
constexpr std::uint32_t kWindowIcon[] = {\n${icon_words}};\n" @ONLY)

target_sources(flames PRIVATE src/app/window_x11.cpp)
target_include_directories(flames PRIVATE ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(flames PRIVATE GLUT::GLUT OpenGL::GL X11::X11 ${CMAKE_DL_LIBS})
# Our XMapWindow must be seen by the dynamic linker, whatever visibility says.
target_link_options(flames PRIVATE -Wl,--export-dynamic-symbol=XMapWindow)
# How the end-to-end tests start a program built for another architecture.
if(CMAKE_CROSSCOMPILING)
  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator)
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/start-flames
       CONTENT "#!/bin/sh\nexec ${emulator} '$<TARGET_FILE:flames>' \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
# The compilers' version strings, which Debian's own packaging strips too.
add_custom_command(TARGET flames POST_BUILD
                   COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:flames>)
