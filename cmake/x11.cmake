# The X11 program: freeglut, GL and Xlib.
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)

# What makes main.cpp an X11 program (the benchmark's baseline is one too).
function(flames_on_x11 target)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/app/window_x11.cpp)
  target_compile_definitions(${target} PRIVATE FLAMES_WM_NAME="${PROJECT_NAME}" FLAMES_WM_CLASS="${FLAMES_WM_CLASS}")
  target_link_libraries(${target} PRIVATE GLUT::GLUT OpenGL::GL X11::X11 ${CMAKE_DL_LIBS})
  # Our XMapWindow must be seen by the dynamic linker, whatever visibility says.
  target_link_options(${target} PRIVATE -Wl,--export-dynamic-symbol=XMapWindow)
endfunction()
flames_on_x11(flames)
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
