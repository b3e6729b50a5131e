target_link_libraries(bench_layout PRIVATE html Qt6::Gui)
