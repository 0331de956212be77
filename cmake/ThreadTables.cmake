# The thread colour tables ship with the sources in data/threads/ (SOURCES.md beside them says
# where the values come from and under which licence). Each CSV becomes a system palette under
# SysPAL/ and seeds the working palette under PAL/ (a working palette already there is the
# user's and is kept).
set(BRENMARK_THREAD_TABLES "${CMAKE_SOURCE_DIR}/data/threads")
# csv file name -> brand (palette file name)
set(BRENMARK_BRANDS "dmc=DMC" "anchor=ANCHOR" "coats=J&P" "madeira=MADEIRA")
foreach(pair ${BRENMARK_BRANDS})
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 csv)
  if(NOT EXISTS "${BRENMARK_THREAD_TABLES}/${csv}.csv")
    message(FATAL_ERROR "Thread colour table ${BRENMARK_THREAD_TABLES}/${csv}.csv is missing. "
                        "The tables are part of the repository (data/threads/); restore them "
                        "from version control.")
  endif()
endforeach()
