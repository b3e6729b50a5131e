find_package(ZLIB REQUIRED)
target_link_libraries(bench_crc PRIVATE branutl ZLIB::ZLIB)
