target_link_libraries(bench_forms PRIVATE html)
