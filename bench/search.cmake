# search_bench runs the instrument search against vantasim, whose binary and data it needs.
if(TARGET search_bench)
    target_link_libraries(search_bench PRIVATE vanta_discovery)
    target_include_directories(search_bench PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(search_bench PRIVATE VANTA_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    add_dependencies(search_bench vantasim vanta_data)
endif()
