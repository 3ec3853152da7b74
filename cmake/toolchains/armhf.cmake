# Debian armhf, with Debian's cross compiler.
set(FLAMES_DEB_ARCH armhf)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
