# The version-record test reads the record through the version library.
target_link_libraries(${target} PRIVATE version)
# The help tests stand the help suite's fake help control in for the real one,
# which would open a help window.
if(TARGET help_fake_with_entry)
  add_dependencies(${target} help_fake_with_entry)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../help/fake_library)
  target_compile_definitions(${target} PRIVATE TESSIVA_HAVE_FAKE_HELP=1)
endif()
