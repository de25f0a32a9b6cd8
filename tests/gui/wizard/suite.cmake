# The version-record test reads the record through the version library.
target_link_libraries(${target} PRIVATE version)
