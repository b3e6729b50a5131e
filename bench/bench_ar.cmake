find_package(ZLIB REQUIRED)
target_link_libraries(bench_ar PRIVATE branutl ZLIB::ZLIB)
target_compile_definitions(bench_ar PRIVATE
  BRANNIK_SOURCE_ROOT="${PROJECT_SOURCE_DIR}" BRANNIK_BINARY_ROOT="${PROJECT_BINARY_DIR}")
