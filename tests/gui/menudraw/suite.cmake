# Test-only resources of the menu drawing tests: a toolbar layout, a menu and two
# bitmaps (16 and 256 colours) written at build time by a script.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(menudraw_bitmaps ${CMAKE_CURRENT_BINARY_DIR}/menudraw)
add_custom_command(
  OUTPUT ${menudraw_bitmaps}/toolbar16.bmp ${menudraw_bitmaps}/colour256.bmp
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/make_test_bitmaps.py ${menudraw_bitmaps}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_test_bitmaps.py
  COMMENT "Writing the menu drawing test bitmaps")
add_custom_target(${target}_bitmaps
                  DEPENDS ${menudraw_bitmaps}/toolbar16.bmp ${menudraw_bitmaps}/colour256.bmp)
add_dependencies(${target} ${target}_bitmaps)

enable_language(RC)
set(menudraw_rc ${CMAKE_CURRENT_LIST_DIR}/menudraw.rc)
target_sources(${target} PRIVATE ${menudraw_rc})
set_property(SOURCE ${menudraw_rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${menudraw_bitmaps})
set_property(SOURCE ${menudraw_rc} APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/menudraw_ids.h ${menudraw_bitmaps}/toolbar16.bmp
             ${menudraw_bitmaps}/colour256.bmp)
