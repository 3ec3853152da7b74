# Debian s390x, with Debian's cross compiler.
set(FLAMES_DEB_ARCH s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
