# One stand-in library of the suite: every .cpp of the calling folder built into
# lib<NAME>.so, whose only visible symbols are the calls of its export list
# ("ordinal<TAB>name" lines), and the folder's tests linked against it.
function(brannik_suite_library name export_list)
  brannik_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${name}.map)
  add_custom_command(
    OUTPUT ${map}
    COMMAND ${CMAKE_COMMAND} -DLIST=${export_list} -DOUT=${map}
            -P ${PROJECT_SOURCE_DIR}/cmake/version_script.cmake
    DEPENDS ${export_list} ${PROJECT_SOURCE_DIR}/cmake/version_script.cmake)
  add_custom_target(${name}_map DEPENDS ${map})
  add_library(${name} SHARED ${sources})
  add_dependencies(${name} ${name}_map)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE platform_core)
  target_link_options(${name} PRIVATE -Wl,--version-script=${map})
  # clang leaves the sanitizer runtime out of shared libraries: the fuzz tree
  # resolves it from the program.
  if(NOT BRANNIK_FUZZ)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${name} PROPERTIES LINK_DEPENDS ${map})

  brannik_test_program(${name}_tests ${CMAKE_CURRENT_SOURCE_DIR} LIBS ${name})
  if(TARGET ${name}_tests)
    target_compile_definitions(${name}_tests PRIVATE
      LIBRARY_PATH="$<TARGET_FILE:${name}>"
      LIBRARY_EXPORT_LIST="${export_list}")
  endif()
endfunction()
