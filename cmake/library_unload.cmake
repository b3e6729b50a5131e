# Every shared library of the build is loaded by a small host, in children that
# exit with it open, close it first, or close and reopen it: start-up and
# shut-down must end in exit status 0 whichever way a program used it. ctest
# runs it in the test build; `library_unload_check` runs it in any build
# (make test runs it in Release, where the sanitizers cannot mask a fault).
function(brannik_shared_libraries out dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  set(found)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    brannik_shared_libraries(child_found ${child})
    list(APPEND found ${child_found})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

brannik_shared_libraries(brannik_libraries ${PROJECT_SOURCE_DIR})
add_executable(library_host ${CMAKE_CURRENT_LIST_DIR}/library_host.cpp)
set(library_files)
foreach(library IN LISTS brannik_libraries)
  list(APPEND library_files $<TARGET_FILE:${library}>)
endforeach()
add_custom_target(library_unload_check
  COMMAND library_host ${library_files}
  DEPENDS library_host ${brannik_libraries}
  COMMENT "Loading and unloading every shared library"
  VERBATIM)
add_test(NAME library_unload COMMAND library_host ${library_files})
# Closing a library that pulled in Qt leaves small allocations of system
# libraries behind, past symbolising once unmapped; leaks are not what this checks.
set_tests_properties(library_unload PROPERTIES
  LABELS library_unload
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
# The sound slots' write-back at unload is tested through the host.
if(TARGET utility_tests)
  target_compile_definitions(utility_tests PRIVATE LIBRARY_HOST_PATH="$<TARGET_FILE:library_host>")
  add_dependencies(utility_tests library_host)
endif()
