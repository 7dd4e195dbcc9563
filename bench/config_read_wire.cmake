# A whole-configuration read through vantasim at wire speed, against the line time of its
# frames.
if(TARGET vantasim)
    add_executable(config_read_wire_bench ${CMAKE_CURRENT_SOURCE_DIR}/config_read_wire.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/scripted_interaction.cpp)
    target_include_directories(config_read_wire_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(config_read_wire_bench PRIVATE vanta_config GTest::gtest)
    target_compile_definitions(config_read_wire_bench PRIVATE
        VANTA_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    add_dependencies(config_read_wire_bench vantasim vanta_data)
endif()
