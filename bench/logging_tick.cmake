# The logging tick benchmark needs the logging library besides the communications one.
if(TARGET logging_tick_bench)
    target_link_libraries(logging_tick_bench PRIVATE vanta_logging)
endif()
