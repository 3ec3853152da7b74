# Another Debian architecture, with Debian's cross compilers and multiarch
# libraries; what is built runs natively or under qemu-user (docs/architectures.md).
# Usage: -DCMAKE_TOOLCHAIN_FILE=.../debian-cross.cmake -DFLAMES_DEB_ARCH=ARCH
set(CMAKE_SYSTEM_NAME Linux)
# The projects CMake makes to try the compiler need the architecture too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FLAMES_DEB_ARCH)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../debian-architectures.txt rows REGEX "^[^#]")
foreach(row IN LISTS rows)
  string(REGEX REPLACE " +" ";" row "${row}")
  list(GET row 0 architecture)
  if(architecture STREQUAL FLAMES_DEB_ARCH)
    list(GET row 1 gnu_type)
    list(GET row 2 CMAKE_LIBRARY_ARCHITECTURE)
    list(GET row 3 qemu)
  endif()
endforeach()
if(NOT gnu_type)
  message(FATAL_ERROR "No cross toolchain for the Debian architecture '${FLAMES_DEB_ARCH}'"
                      " (FLAMES_DEB_ARCH; see cmake/debian-architectures.txt)")
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
    set(emulator ${qemu} -L /)
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
