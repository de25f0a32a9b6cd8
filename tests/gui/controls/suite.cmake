# Test-only resources: the menu an image button drops down, the pictures of every look.
enable_language(RC)
target_sources(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/controls_test.rc)
file(GLOB pictures CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pictures/*.bmp)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/controls_test.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/controls_test_ids.h ${pictures})
