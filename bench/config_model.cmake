# The configuration model benchmark needs the config library and the delivered data files.
if(TARGET config_model_bench)
    target_link_libraries(config_model_bench PRIVATE vanta_config)
    target_compile_definitions(config_model_bench PRIVATE
        VANTA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
endif()
