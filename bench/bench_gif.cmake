target_link_libraries(bench_gif PRIVATE html Qt6::Gui)
