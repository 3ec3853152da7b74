# Writes the site's service worker: its cache is named from the contents of
# the files it keeps, never from a clock, so the same sources give the same
# site and every change gives a new cache.
# Usage: cmake -DSITE=DIR -DFILES="index.html;index.js;..." -P service_worker.cmake
set(listing "")
set(SITE_FILES "")
foreach(file IN LISTS FILES)
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND listing "${digest}  ${file}\n")
  if(file STREQUAL "index.html")
    set(file "./")  # the page is asked for by its folder
  endif()
  list(APPEND SITE_FILES ${file})
endforeach()
string(SHA256 digest "${listing}")
string(SUBSTRING ${digest} 0 16 SITE_HASH)
list(JOIN SITE_FILES " " SITE_FILES)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sw.js ${SITE}/sw.js @ONLY)
