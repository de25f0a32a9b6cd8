# The pictures of each step.
enable_language(RC)
target_sources(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/wizard_test.rc)
file(GLOB pictures CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pictures/*.bmp)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/wizard_test.rc APPEND PROPERTY OBJECT_DEPENDS ${pictures})
