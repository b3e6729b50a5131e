# Helpers shared by the folders' build files.

include(GoogleTest)

# The .cpp files directly in DIR (not its tests), re-globbed when files appear.
function(brannik_sources out dir)
  file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Puts on TARGET's include path (SCOPE: PRIVATE, PUBLIC or INTERFACE) a view of
# the source tree that holds only the given folders or headers (paths from the
# project root). Everything includes by the path from the root, so an include
# of anything outside a target's own and lower folders fails to compile.
function(brannik_include_view target scope)
  string(TOLOWER ${scope} kind)
  set(view ${PROJECT_BINARY_DIR}/include_views/${target}.${kind})
  file(REMOVE_RECURSE ${view})
  foreach(path IN LISTS ARGN)
    get_filename_component(parent ${view}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${path} ${view}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${view})
endfunction()

# Lets TARGET's users see the headers of LIBS without linking them: the
# exported headers of a shared library use the platform's types.
function(brannik_headers_of target)
  foreach(lib IN LISTS ARGN)
    target_include_directories(${target} INTERFACE $<TARGET_PROPERTY:${lib},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
endfunction()

# A shared library of SOURCES whose only visible symbols are the calls of its
# export list (EXPORTS: "ordinal<TAB>name" lines), through a linker version
# script written from that list.
function(brannik_shared_library name)
  cmake_parse_arguments(L "" "EXPORTS" "SOURCES" ${ARGN})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${L_EXPORTS})
  file(STRINGS ${L_EXPORTS} lines REGEX "^[0-9]+[ \t]+[A-Za-z_]")
  # A library whose list is still empty exports nothing: the linker refuses
  # an empty global section.
  set(script "{\n")
  if(lines)
    string(APPEND script "  global:\n")
  endif()
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9]+[ \t]+" "" symbol "${line}")
    string(STRIP "${symbol}" symbol)
    string(APPEND script "    ${symbol};\n")
  endforeach()
  string(APPEND script "  local: *;\n};\n")
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${name}.map)
  file(CONFIGURE OUTPUT ${map} CONTENT "${script}" @ONLY)

  add_library(${name} SHARED ${L_SOURCES})
  target_link_options(${name} PRIVATE -Wl,--version-script=${map})
  # clang leaves the sanitizer runtime out of shared libraries: the fuzz tree
  # resolves it from the program.
  if(NOT BRANNIK_FUZZ)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${name} PROPERTIES LINK_DEPENDS ${map})
endfunction()

# One GoogleTest program for a folder: every .cpp in DIR/tests, linked with
# LIBS, compiled with DEFINITIONS, labelled with the program's name. The tests
# see their own folder besides what LIBS give them.
function(brannik_test_program name dir)
  cmake_parse_arguments(T "" "" "LIBS;DEFINITIONS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS "${dir}/tests/*.cpp")
  add_executable(${name} ${test_sources})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
  brannik_include_view(${name} PRIVATE ${folder})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    BRANNIK_TEST_DATA="${dir}/tests/data"
    BRANNIK_SOURCE_ROOT="${PROJECT_SOURCE_DIR}"
    BRANNIK_BINARY_ROOT="${PROJECT_BINARY_DIR}"
    ${T_DEFINITIONS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_FILTER "-*OnAnXServer*"
    PROPERTIES LABELS ${name} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# The tests of program NAME whose suite ends in "OnAnXServer" run apart, on an
# X server of their own (scripts/with-xvfb) at 144 dpi, where Qt scales its
# coordinates by the screen's device-pixel ratio as the offscreen platform
# never does.
function(brannik_x_server_tests name)
  add_test(NAME ${name}_on_an_x_server
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:${name}> --gtest_filter=*OnAnXServer.*)
  set_tests_properties(${name}_on_an_x_server PROPERTIES
    LABELS "${name};x_server" TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=xcb;QT_FONT_DPI=144")
endfunction()
