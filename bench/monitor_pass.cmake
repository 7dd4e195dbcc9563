# monitor_pass_wire: one monitor pass over 40 instruments of vantasim at wire speed, against the
# line time of its frames. Run: build-bench/bin/monitor_pass_wire
if(TARGET vantasim)
    add_executable(monitor_pass_wire ${CMAKE_CURRENT_SOURCE_DIR}/monitor_pass_wire.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/scripted_interaction.cpp)
    target_include_directories(monitor_pass_wire PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(monitor_pass_wire PRIVATE vanta_monitor vanta_diagnostics GTest::gtest)
    target_compile_definitions(monitor_pass_wire PRIVATE
        VANTA_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    add_dependencies(monitor_pass_wire vantasim vanta_data)
endif()
