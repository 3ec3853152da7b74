# Another Debian architecture, with Debian's cross compilers and multiarch
# libraries; what is built runs natively or under qemu-user (docs/architectures.md).
# Usage: -DCMAKE_TOOLCHAIN_FILE=.../debian-cross.cmake -DFLAMES_DEB_ARCH=ARCH [-DFLAMES_QEMU=qemu-CPU]
# (CMakePresets.json has a preset for each architecture tested).
set(CMAKE_SYSTEM_NAME Linux)
# The projects CMake makes to try the compiler need the architecture too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FLAMES_DEB_ARCH FLAMES_QEMU)
execute_process(COMMAND dpkg-architecture -a${FLAMES_DEB_ARCH} -qDEB_HOST_GNU_TYPE OUTPUT_VARIABLE gnu_type
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
execute_process(COMMAND dpkg-architecture -a${FLAMES_DEB_ARCH} -qDEB_HOST_MULTIARCH
                OUTPUT_VARIABLE CMAKE_LIBRARY_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT gnu_type OR NOT FLAMES_DEB_ARCH)
  message(FATAL_ERROR "FLAMES_DEB_ARCH ('${FLAMES_DEB_ARCH}') is no Debian architecture dpkg-architecture knows")
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${gnu_type})

set(CMAKE_C_COMPILER ${gnu_type}-gcc)
set(CMAKE_CXX_COMPILER ${gnu_type}-g++)
set(CMAKE_OBJCOPY ${gnu_type}-objcopy CACHE FILEPATH "")

# Tried once per build folder: not every x86-64 kernel runs i386 programs.
if(NOT CMAKE_IN_TRY_COMPILE AND NOT DEFINED CACHE{FLAMES_CROSS_EMULATOR})
  set(probe ${CMAKE_BINARY_DIR}/CMakeFiles/runs-natively)
  execute_process(COMMAND ${CMAKE_C_COMPILER} -static -x c - -o ${probe}
                  INPUT_FILE ${CMAKE_CURRENT_LIST_DIR}/runs-natively.c RESULT_VARIABLE built)
  set(ran 1)
  if(built EQUAL 0 AND NOT "$ENV{FLAMES_CROSS_RUNNER}" STREQUAL "qemu")
    execute_process(COMMAND ${probe} RESULT_VARIABLE ran OUTPUT_QUIET ERROR_QUIET)
  endif()
  set(emulator "")
  if(NOT ran EQUAL 0)
    if(NOT FLAMES_QEMU)
      message(FATAL_ERROR "${FLAMES_DEB_ARCH} programs do not run here: FLAMES_QEMU names the qemu-user program")
    endif()
    set(emulator ${FLAMES_QEMU} -L /)
  endif()
  set(FLAMES_CROSS_EMULATOR "${emulator}" CACHE INTERNAL "How this machine runs ${FLAMES_DEB_ARCH} programs")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${FLAMES_CROSS_EMULATOR})
list(JOIN FLAMES_CROSS_EMULATOR " " runner)
if(CMAKE_IN_TRY_COMPILE)
elseif(runner)
  message(STATUS "${FLAMES_DEB_ARCH} programs run under ${runner}")
else()
  message(STATUS "${FLAMES_DEB_ARCH} programs run natively")
endif()
# Libraries and headers of the target architecture only; tools of this machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/pkgconfig:/usr/share/pkgconfig)
