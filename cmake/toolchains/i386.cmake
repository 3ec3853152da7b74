# Debian i386, with Debian's cross compiler.
set(FLAMES_DEB_ARCH i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
