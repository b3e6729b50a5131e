# The chooser's export is compiled in, so the modal-form driver and the
# dialogs share one GUI layer.
target_sources(bench_chooser PRIVATE ${PROJECT_SOURCE_DIR}/dialogs/exports/chooser_exports.cpp)
target_link_libraries(bench_chooser PRIVATE dialogs_core platform_gui_test_support)
