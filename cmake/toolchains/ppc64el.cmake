# Debian ppc64el, with Debian's cross compiler.
set(FLAMES_DEB_ARCH ppc64el)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
