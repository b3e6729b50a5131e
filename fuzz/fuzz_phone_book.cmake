# The utility pieces reach the process's phone defaults through the dialog
# library's calls into libbranutl.so, which lie in the archive before them.
target_link_libraries(fuzz_phone_book PRIVATE "$<LINK_GROUP:RESCAN,dialogs_core,utility_common>")
