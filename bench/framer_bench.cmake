# framer_bench drives the simulator's request framer, which lives in the vanta_sim library.
if(TARGET framer_bench)
    target_link_libraries(framer_bench PRIVATE vanta_sim)
endif()
