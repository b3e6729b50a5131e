# The phone texts complete missing parts from the process defaults, as in a program.
target_link_libraries(fuzz_station_url PRIVATE utility_process_units utility_common)
