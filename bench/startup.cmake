# The start-up benchmark launches the application itself, with the delivered data files.
if(TARGET startup_bench)
    target_compile_definitions(startup_bench PRIVATE
        VANTALNK3_PATH="$<TARGET_FILE:VantaLnk3>"
        VANTA_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
    add_dependencies(startup_bench VantaLnk3)
endif()
