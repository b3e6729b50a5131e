target_link_libraries(bench_print PRIVATE html Qt6::PrintSupport Qt6::Gui)
