# Helpers shared by the folders' build files.

include(GoogleTest)

# The .cpp files directly in DIR (not its tests), re-globbed when files appear.
function(brannik_sources out dir)
  file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# One GoogleTest program for a folder: every .cpp in DIR/tests, linked with LIBS,
# labelled with the folder's name. Does nothing while the folder has no tests.
function(brannik_test_program name dir)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS "${dir}/tests/*.cpp")
  if(NOT test_sources)
    return()
  endif()
  add_executable(${name} ${test_sources})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    BRANNIK_TEST_DATA="${dir}/tests/data"
    BRANNIK_SOURCE_ROOT="${PROJECT_SOURCE_DIR}"
    BRANNIK_BINARY_ROOT="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${name} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
