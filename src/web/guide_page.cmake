# Writes one language's guide page from its Markdown guide: cmark-gfm's HTML in
# the page's frame (guide.html.in). Links to the other guide lead to its page;
# links into the repository, which the site does not hold, become plain words.
# Usage: cmake -DCMARK=... -DMARKDOWN=... -DTEMPLATE=... -DOUTPUT=... -DGUIDE_LANG=en|ru
#              -DFLAMES_TITLE=... -P guide_page.cmake
execute_process(COMMAND ${CMARK} -e table ${MARKDOWN} OUTPUT_VARIABLE GUIDE_BODY RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmark-gfm could not read ${MARKDOWN}")
endif()
string(REPLACE "href=\"how-it-moves.ru.md\"" "href=\"guide.ru.html\"" GUIDE_BODY "${GUIDE_BODY}")
string(REPLACE "href=\"how-it-moves.md\"" "href=\"guide.html\"" GUIDE_BODY "${GUIDE_BODY}")
string(REGEX REPLACE "<a href=\"([^\":#]*\\.md(#[^\"]*)?|\\.\\./[^\"]*)\">([^<]*)</a>" "\\3" GUIDE_BODY
                     "${GUIDE_BODY}")
# The script draws the pictures again; the committed ones load only as they come into view.
string(REPLACE "<img " "<img loading=\"lazy\" " GUIDE_BODY "${GUIDE_BODY}")
string(REGEX MATCH "<h1>([^<]*)</h1>" heading "${GUIDE_BODY}")
set(GUIDE_TITLE "${CMAKE_MATCH_1}")
# The description is the guide's opening paragraph, the one after the line
# naming the other language, in words only.
string(FIND "${GUIDE_BODY}" "</p>" end)
math(EXPR start "${end} + 4")
string(SUBSTRING "${GUIDE_BODY}" ${start} -1 rest)
string(FIND "${rest}" "</p>" end)
string(SUBSTRING "${rest}" 0 ${end} opening)
string(REGEX REPLACE "<[^>]*>" "" opening "${opening}")
string(REPLACE "\n" " " opening "${opening}")
string(STRIP "${opening}" GUIDE_DESCRIPTION)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
