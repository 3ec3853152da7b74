# Writes the window's icons as _NET_WM_ICON wants them (width, height, then
# ARGB words, row by row) into OUTPUT, from data/icons, read by ImageMagick.
# The result is committed (src/app/window_icon.inc), so that building needs no
# ImageMagick; a test runs this again and compares.
# Usage: cmake -DOUTPUT=FILE -P cmake/window_icon.cmake
find_program(convert convert REQUIRED)
set(words "// Made by cmake/window_icon.cmake from data/icons: make icons makes it again.\n")
foreach(size IN ITEMS 16 32 48 128)
  math(EXPR row_bytes "4 * ${size}")
  execute_process(COMMAND ${convert} ${CMAKE_CURRENT_LIST_DIR}/../data/icons/${size}x${size}/apps/flames.png
                          -depth 8 rgba:- COMMAND od -An -v -tx1 -w${row_bytes}
                  OUTPUT_VARIABLE rgba COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE " ([0-9a-f]+) ([0-9a-f]+) ([0-9a-f]+) ([0-9a-f]+)" "0x\\4\\1\\2\\3," rgba "${rgba}")
  string(APPEND words "${size}, ${size},\n${rgba}")
endforeach()
file(WRITE ${OUTPUT} "${words}")
