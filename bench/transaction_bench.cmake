# transaction_bench drives the engines through the scripted test line, which it builds itself so
# that the benchmarks need no test build.
if(TARGET transaction_bench)
    target_sources(transaction_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/scripted_line.cpp)
endif()
