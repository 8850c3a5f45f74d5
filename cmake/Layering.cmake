# The layering check: a logic library (declared with corvane_logic_library) must not reach Qt
# Widgets, Qt PrintSupport or Qt Test, neither by a direct link nor through the libraries it links.
# The walk follows LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES of every target it meets, unwraps
# $<LINK_ONLY:...> (how CMake records the private links of a static library), and keeps a visited
# set, since static libraries may link each other in a cycle. Run it after every folder has been
# added, so that targets declared later are resolved too.

# Declares a logic library: a static library with src/ on its include path, checked by
# corvane_check_layering.
function(corvane_logic_library name)
  add_library(${name} STATIC ${ARGN})
  # Lets widget-only headers (the command identifiers) refuse to be included by logic.
  target_compile_definitions(${name} PRIVATE CORVANE_LOGIC_LIBRARY)
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  set_property(GLOBAL APPEND PROPERTY CORVANE_LOGIC_TARGETS ${name})
endfunction()

set(CORVANE_FORBIDDEN_IN_LOGIC "^Qt6?::(Widgets|PrintSupport|Test)$|^Qt6?(Widgets|PrintSupport|Test)$")
set(CORVANE_ANY_QT "^Qt6?::|^Qt6?[A-Z]")

# Declares a program that must start without loading Qt at all (cvntool), checked by
# corvane_check_layering like a logic library but against every Qt library.
function(corvane_check_no_qt name)
  set_property(GLOBAL APPEND PROPERTY CORVANE_NO_QT_TARGETS ${name})
endfunction()

# The link items of target as plain names: generator expressions other than LINK_ONLY are kept
# as they are (they cannot name a target CMake knows at configure time).
function(_corvane_link_items target out)
  set(items)
  foreach(prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(libs ${target} ${prop})
    if(libs)
      foreach(lib IN LISTS libs)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
        list(APPEND items "${lib}")
      endforeach()
    endif()
  endforeach()
  set(${out} "${items}" PARENT_SCOPE)
endfunction()

# Fails the configure when start reaches a library matching forbidden; the message names start
# as kind ("Logic library", "Program") and the chain.
function(corvane_check_target start forbidden kind)
  set(visited ${start})
  set(queue ${start})
  # Target names hold "::", so the chain to each is kept under a C identifier made of its name.
  string(MAKE_C_IDENTIFIER "${start}" key)
  set(chain_${key} ${start})
  while(queue)
    list(POP_FRONT queue current)
    if(NOT TARGET ${current})
      continue()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(node ${aliased})
    else()
      set(node ${current})
    endif()
    _corvane_link_items(${node} items)
    foreach(lib IN LISTS items)
      if(lib IN_LIST visited)
        continue()
      endif()
      list(APPEND visited ${lib})
      string(MAKE_C_IDENTIFIER "${current}" from)
      string(MAKE_C_IDENTIFIER "${lib}" key)
      set(chain_${key} "${chain_${from}} -> ${lib}")
      if(lib MATCHES "${forbidden}")
        message(FATAL_ERROR "${kind} ${start} must not link ${lib}: ${chain_${key}}")
      endif()
      list(APPEND queue ${lib})
    endforeach()
  endwhile()
endfunction()

function(corvane_check_layering)
  get_property(logic_targets GLOBAL PROPERTY CORVANE_LOGIC_TARGETS)
  foreach(t IN LISTS logic_targets)
    corvane_check_target(${t} "${CORVANE_FORBIDDEN_IN_LOGIC}" "Logic library")
  endforeach()
  get_property(no_qt_targets GLOBAL PROPERTY CORVANE_NO_QT_TARGETS)
  foreach(t IN LISTS no_qt_targets)
    corvane_check_target(${t} "${CORVANE_ANY_QT}" "Program")
  endforeach()
endfunction()

# Every target defined under dir and its sub-folders.
function(_corvane_targets_under dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _corvane_targets_under(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} "${targets}" PARENT_SCOPE)
endfunction()

# A link to one of our own libraries (cv_*) that no folder defines would otherwise be taken for a
# system library and fail only at link time, or not at all for a library nothing else needs.
function(corvane_check_link_targets)
  _corvane_targets_under(${PROJECT_SOURCE_DIR} targets)
  foreach(t IN LISTS targets)
    _corvane_link_items(${t} items)
    foreach(lib IN LISTS items)
      if(lib MATCHES "^cv_" AND NOT TARGET ${lib})
        message(FATAL_ERROR "${t} links ${lib}, which no folder defines")
      endif()
    endforeach()
  endforeach()
endfunction()
