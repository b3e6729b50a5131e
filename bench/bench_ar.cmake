find_package(ZLIB REQUIRED)
target_link_libraries(bench_ar PRIVATE branutl ZLIB::ZLIB)
