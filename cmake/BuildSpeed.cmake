# How the targets a developer waits for are compiled.
#
# The test programs compile at BRENMARK_TEST_OPTIMIZE (-Og by default: quick to compile, still
# quick enough to run the tests that convert and page through big patterns), whatever the
# build type gives the libraries and programs they test, and each precompiles the headers all
# its files parse: GoogleTest and the standard library, and Qt's where the program links Qt
# and its folder compiles for Qt (GB18030, see the top CMakeLists). The editor's big Qt
# libraries precompile the Qt headers too.
set(BRENMARK_TEST_OPTIMIZE "-Og" CACHE STRING "Optimisation flags of the test programs (empty: the build type's)")
option(BRENMARK_PCH "Precompile the common headers of each test program and of the editor's Qt libraries" ON)

# The headers given precompiled for every file of target.
function(brenmark_precompile target)
  if(NOT BRENMARK_PCH OR BRENMARK_FUZZ)
    return()
  endif()
  target_precompile_headers(${target} PRIVATE ${ARGN})
  # ccache compiles files that use a precompiled header only with this sloppiness, else it
  # runs the compiler uncached.
  if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER
      "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros;${CMAKE_CXX_COMPILER_LAUNCHER}")
  endif()
endfunction()

set(brenmark_std_headers <algorithm> <cstdint> <functional> <map> <memory> <optional> <span> <string> <vector>)
set(brenmark_widgets_headers <QApplication> <QWidget> <QDialog> <QImage> <QPainter> <QPixmap> <QString>)
set(brenmark_gui_headers <QGuiApplication> <QImage> <QPainter> <QColor> <QString>)

# Every library a target links, through the libraries those link.
function(brenmark_link_closure target out)
  set(seen)
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo current)
    if(NOT TARGET ${current})
      # Imported in a folder of its own (Qt6::Test), so not seen from here: its name counts.
      list(APPEND seen ${current})
      continue()
    endif()
    get_target_property(real ${current} ALIASED_TARGET)
    if(real)
      set(current ${real})
    endif()
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link ${links})
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(NOT link MATCHES "^\\$<")
        list(APPEND todo ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(brenmark_test_target target)
  if(BRENMARK_TEST_OPTIMIZE)
    separate_arguments(flags UNIX_COMMAND "${BRENMARK_TEST_OPTIMIZE}")
    target_compile_options(${target} PRIVATE ${flags})
  endif()
  set(headers <gtest/gtest.h> <algorithm> <cstdint> <filesystem> <fstream> <functional> <map> <memory>
              <optional> <span> <sstream> <string> <vector>)
  get_target_property(options ${target} COMPILE_OPTIONS)
  if(options MATCHES "GB18030")
    brenmark_link_closure(${target} links)
    if("Qt6::Widgets" IN_LIST links)
      list(APPEND headers ${brenmark_widgets_headers})
    elseif("Qt6::Gui" IN_LIST links)
      list(APPEND headers ${brenmark_gui_headers})
    elseif("Qt6::Core" IN_LIST links)
      list(APPEND headers <QCoreApplication> <QString>)
    endif()
    if("Qt6::Test" IN_LIST links)
      list(APPEND headers <QTest>)
    endif()
  endif()
  brenmark_precompile(${target} ${headers})
endfunction()

# The editor's big Qt libraries, whose every file parses the same Qt headers.
function(brenmark_precompile_qt_libraries)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      continue()
    endif()
    brenmark_link_closure(${target} links)
    if("Qt6::Widgets" IN_LIST links)
      brenmark_precompile(${target} ${brenmark_std_headers} ${brenmark_widgets_headers})
    else()
      brenmark_precompile(${target} ${brenmark_std_headers} ${brenmark_gui_headers})
    endif()
  endforeach()
endfunction()

# Every target defined in a folder and the folders below it.
function(brenmark_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    brenmark_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The test programs are the *_tests executables.
function(brenmark_set_up_test_targets)
  brenmark_targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" AND target MATCHES "_tests$")
      brenmark_test_target(${target})
    endif()
  endforeach()
endfunction()

# Programs made for looking at things (pictures for the documentation, page and conversion
# viewers) are built with the benchmarks (-DBRENMARK_BENCH=ON) or by name.
function(brenmark_helper_programs)
  foreach(target ${ARGN})
    if(TARGET ${target} AND NOT BRENMARK_BENCH)
      set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
    endif()
  endforeach()
endfunction()
