# Test-only resources: the menu an image button drops down.
enable_language(RC)
target_sources(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/controls_test.rc)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/controls_test.rc APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/controls_test_ids.h)
