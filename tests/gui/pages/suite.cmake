# The VIEW tests register a file type whose "open" action is this small program,
# which copies the opened file to a marker file; it lives beside the test program.
add_executable(pages_view_probe WIN32 ${dir}/probe/ViewProbe.cpp)
target_link_libraries(pages_view_probe PRIVATE shell32)
add_dependencies(${target} pages_view_probe)
