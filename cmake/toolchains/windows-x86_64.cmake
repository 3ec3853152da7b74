# 64-bit Windows with Debian's mingw-w64 (posix threads, which GoogleTest
# needs); CTest runs what is built under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(gnu_type x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${gnu_type}-gcc-posix)
set(CMAKE_CXX_COMPILER ${gnu_type}-g++-posix)
set(CMAKE_RC_COMPILER ${gnu_type}-windres)
set(CMAKE_OBJCOPY ${gnu_type}-objcopy CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${gnu_type})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Each run in the build's own Wine prefix, quiet but for the program itself.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tests/wine-session.sh)
