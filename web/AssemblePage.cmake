# Puts the page together: its markup with the style, the page's script, and
# the worker's script (the core module followed by worker.js) inline.
#   cmake -DPAGE=web/page -DCORE=trevalco-core.js -DOUT=trevalco.html -P AssemblePage.cmake
file(READ ${PAGE}/trevalco.html.in html)
file(READ ${PAGE}/page.css style)
file(READ ${PAGE}/page.js script)
file(READ ${PAGE}/worker.js worker)
file(READ ${CORE} core)
string(FIND "${core}${worker}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "the worker's script holds \"</script\" and cannot be carried inline")
endif()
string(REPLACE "@STYLE@" "${style}" html "${html}")
string(REPLACE "@SCRIPT@" "${script}" html "${html}")
string(REPLACE "@WORKER@" "${core}\n${worker}" html "${html}")
file(WRITE ${OUT} "${html}")
