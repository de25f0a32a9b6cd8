# Two stand-ins for the HTML Help control's library beside the test program:
# with the entry point at ordinal 14 and without it.
foreach(form with_entry without_entry)
  add_library(help_fake_${form} SHARED ${dir}/fake_library/FakeHtmlHelp.c ${dir}/fake_library/${form}.def)
  set_target_properties(help_fake_${form} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  add_dependencies(${target} help_fake_${form})
endforeach()
target_include_directories(${target} PRIVATE ${dir}/fake_library)
if(TARGET tessiva_help)
  add_dependencies(${target} tessiva_help)
endif()
# Wine prefers its built-in control unless told otherwise; told so, a planted
# hhctrl.ocx is as dangerous as on Windows and the tests that plant one can fail.
set_tests_properties(${target} PROPERTIES ENVIRONMENT "WINEDLLOVERRIDES=hhctrl.ocx=n,b")
# A process in which no control loads at all: Wine reads that from its start environment.
add_test(NAME ${target}_without_control COMMAND ${target} --gtest_also_run_disabled_tests --gtest_filter=*WithoutAnyControl*)
set_tests_properties(${target}_without_control PROPERTIES TIMEOUT 120 RESOURCE_LOCK wine_display ENVIRONMENT "WINEDLLOVERRIDES=hhctrl.ocx=d")
