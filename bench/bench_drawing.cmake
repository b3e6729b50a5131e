target_link_libraries(bench_drawing PRIVATE html)
# The pictures are made byte by byte as the GUI tests make theirs.
set(bench_headers platform/gui/test_support/image_fixtures.h)
