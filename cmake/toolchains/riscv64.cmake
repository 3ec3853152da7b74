# Debian riscv64, with Debian's cross compiler.
set(FLAMES_DEB_ARCH riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
