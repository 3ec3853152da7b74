# Building for another Debian architecture with Debian's cross compilers
# (g++-TRIPLET) and, for the program, that architecture's multiarch libraries
# (freeglut3-dev:ARCH and the like). qemu-user runs what is built, so that
# CTest runs the tests as on the machine itself; i386 runs natively.
# Each file beside this one names its architecture and includes this one.
set(CMAKE_SYSTEM_NAME Linux)
# Debian architecture, GNU type of its compiler, multiarch directory, qemu-user.
set(debian_architectures
    "i386 i686-linux-gnu i386-linux-gnu -"
    "arm64 aarch64-linux-gnu aarch64-linux-gnu qemu-aarch64"
    "armhf arm-linux-gnueabihf arm-linux-gnueabihf qemu-arm"
    "ppc64el powerpc64le-linux-gnu powerpc64le-linux-gnu qemu-ppc64le"
    "riscv64 riscv64-linux-gnu riscv64-linux-gnu qemu-riscv64"
    "s390x s390x-linux-gnu s390x-linux-gnu qemu-s390x")
foreach(row IN LISTS debian_architectures)
  string(REPLACE " " ";" row "${row}")
  list(GET row 0 architecture)
  if(architecture STREQUAL FLAMES_DEB_ARCH)
    list(GET row 1 gnu_type)
    list(GET row 2 CMAKE_LIBRARY_ARCHITECTURE)
    list(GET row 3 qemu)
  endif()
endforeach()
if(NOT gnu_type)
  message(FATAL_ERROR "No cross toolchain for the Debian architecture '${FLAMES_DEB_ARCH}'")
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${gnu_type})

set(CMAKE_C_COMPILER ${gnu_type}-gcc)
set(CMAKE_CXX_COMPILER ${gnu_type}-g++)
set(CMAKE_OBJCOPY ${gnu_type}-objcopy CACHE FILEPATH "")
if(NOT qemu STREQUAL "-")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu})
endif()
# Libraries and headers of the target architecture only; tools of this machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/pkgconfig:/usr/share/pkgconfig)
