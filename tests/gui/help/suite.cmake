# The help suite needs two stand-ins for the HTML Help control's library (one
# with the entry point at ordinal 14, one without it) beside the test program,
# and the compiled help file.
foreach(form with_entry without_entry)
  set(library help_fake_${form})
  add_library(${library} SHARED
              ${dir}/fake_library/FakeHtmlHelp.c ${dir}/fake_library/${form}.def)
  set_target_properties(${library} PROPERTIES PREFIX ""
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  add_dependencies(${target} ${library})
endforeach()
target_include_directories(${target} PRIVATE ${dir}/fake_library)
if(TARGET tessiva_help)
  add_dependencies(${target} tessiva_help)
endif()

# The case "no class-id key and no loadable control at all" needs a process in
# which Wine refuses to load the control; Wine takes that from the environment
# the process starts with, so it is a second run of the same program.
add_test(NAME ${target}_without_control
         COMMAND ${target} --gtest_also_run_disabled_tests --gtest_filter=*WithoutAnyControl*)
set_tests_properties(${target}_without_control PROPERTIES
                     TIMEOUT 120 RESOURCE_LOCK wine_display
                     ENVIRONMENT "WINEDLLOVERRIDES=hhctrl.ocx=d")

# Windows loads a library found beside the program before the system's copy;
# Wine prefers its own built-in control unless told otherwise. Telling it so
# makes a planted hhctrl.ocx as dangerous here as on Windows, so the tests
# that plant one can fail.
set_tests_properties(${target} PROPERTIES ENVIRONMENT "WINEDLLOVERRIDES=hhctrl.ocx=n,b")
