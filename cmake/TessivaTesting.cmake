# Test support shared by both trees: GoogleTest built from the system's sources
# for whichever compiler this tree uses, and, in the Windows tree, Wine as the
# emulator that runs every test program.

set(TESSIVA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${TESSIVA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(WIN32)
  set(TESSIVA_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# One test per program: Wine costs about a second per process, so each program
# groups many cases. Programs that open windows share one display and take turns.
function(tessiva_add_test target)
  cmake_parse_arguments(ARG "WINDOWS" "TIMEOUT" "ARGS" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} ${ARG_ARGS})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${target} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(ARG_WINDOWS)
    set_tests_properties(${target} PROPERTIES RESOURCE_LOCK wine_display)
  endif()
endfunction()
