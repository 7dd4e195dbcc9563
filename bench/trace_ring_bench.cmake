# trace_ring_bench times the trace window's batch too, which lives in the diagnostics library.
if(TARGET trace_ring_bench)
    target_link_libraries(trace_ring_bench PRIVATE vanta_diagnostics)
endif()
