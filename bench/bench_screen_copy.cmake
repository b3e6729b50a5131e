# Qt draws the reference side: a widget painting a QImage.
target_link_libraries(bench_screen_copy PRIVATE html Qt6::Widgets)
