# The configuration window benchmark builds the window offscreen over the delivered data files.
if(TARGET frm_config_bench)
    target_link_libraries(frm_config_bench PRIVATE vanta_config_widgets)
    target_compile_definitions(frm_config_bench PRIVATE VANTA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endif()
