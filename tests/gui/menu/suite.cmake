enable_language(RC)
target_sources(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/menu_test.rc)
file(GLOB pictures CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pictures/*.bmp)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/menu_test.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/menu_test_ids.h ${CMAKE_CURRENT_LIST_DIR}/toolbar16.bmp
             ${CMAKE_CURRENT_LIST_DIR}/truecolour.bmp ${pictures})
