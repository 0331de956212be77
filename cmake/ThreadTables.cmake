# The thread colour tables live outside the repository. Each CSV becomes a system palette
# under SysPAL/ and seeds the working palette under PAL/ (a working palette already there is
# the user's and is kept).
set(BRENMARK_THREAD_TABLES "" CACHE PATH "Folder holding dmc.csv, anchor.csv, coats.csv, madeira.csv")
if(NOT BRENMARK_THREAD_TABLES)
  foreach(candidate ${CMAKE_SOURCE_DIR}/../shared/data/threads /work/shared/data/threads)
    if(EXISTS ${candidate}/dmc.csv)
      get_filename_component(BRENMARK_THREAD_TABLES ${candidate} ABSOLUTE)
      break()
    endif()
  endforeach()
endif()
if(BRENMARK_THREAD_TABLES AND EXISTS ${BRENMARK_THREAD_TABLES}/dmc.csv)
  message(STATUS "Thread colour tables: ${BRENMARK_THREAD_TABLES}")
  set(BRENMARK_HAVE_THREAD_TABLES ON)
else()
  message(WARNING "No thread colour tables found; set BRENMARK_THREAD_TABLES. "
                  "The program builds without system palettes.")
  set(BRENMARK_HAVE_THREAD_TABLES OFF)
endif()
# csv file name -> brand (palette file name)
set(BRENMARK_BRANDS "dmc=DMC" "anchor=ANCHOR" "coats=J&P" "madeira=MADEIRA")
