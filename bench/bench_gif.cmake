target_link_libraries(bench_gif PRIVATE html Qt6::Gui)
# The test pictures are made by the image tests' encoder.
set(bench_headers html/images/tests/gif_test_encoder.h)
