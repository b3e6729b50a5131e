target_link_libraries(bench_picture_page PRIVATE html Qt6::Gui)
