# The sound slots are a process unit of the utility library.
target_link_libraries(fuzz_sound_settings PRIVATE utility_process_units utility_common)
