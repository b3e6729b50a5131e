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

# Lets TARGET's own sources (those under DIR, tests excluded) include project
# headers only from the folders given; checked before the target compiles, so
# an include against the direction of use fails the build.
function(brannik_include_rules target dir)
  cmake_parse_arguments(R "" "" "ALLOWED" ${ARGN})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  list(FILTER files EXCLUDE REGEX "/tests/")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp)
  set(rules ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.cmake)
  file(WRITE ${rules} "set(FILES \"${files}\")\nset(ALLOWED \"${R_ALLOWED}\")\n")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DRULES=${rules} -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    DEPENDS ${files} ${rules} ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
