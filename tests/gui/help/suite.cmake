# Stand-ins for the HTML Help control's library beside the program, with and without ordinal 14.
foreach(form with_entry without_entry)
  add_library(help_fake_${form} SHARED ${dir}/fake_library/FakeHtmlHelp.c ${dir}/fake_library/${form}.def)
  set_target_properties(help_fake_${form} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  add_dependencies(${target} help_fake_${form} tessiva_help)
endforeach()
target_include_directories(${target} PRIVATE ${dir}/fake_library)
# Told to prefer a native hhctrl.ocx (as Windows does beside the program), Wine makes a planted one dangerous;
# a second run loads no control at all (Wine reads that from the environment it starts with).
set_tests_properties(${target} PROPERTIES ENVIRONMENT "WINEDLLOVERRIDES=hhctrl.ocx=n,b")
add_test(NAME ${target}_without_control COMMAND ${target} --gtest_also_run_disabled_tests --gtest_filter=*WithoutAnyControl*)
set_tests_properties(${target}_without_control PROPERTIES TIMEOUT 120 RESOURCE_LOCK wine_display ENVIRONMENT "WINEDLLOVERRIDES=hhctrl.ocx=d")
