# vantactl against libmodbus's RTU master on a pseudo-terminal. libmodbus is the reference and
# is linked into this driver only, never into the product.
find_package(PkgConfig)
if(PkgConfig_FOUND)
    pkg_check_modules(LIBMODBUS IMPORTED_TARGET libmodbus)
endif()
if(TARGET vantactl AND LIBMODBUS_FOUND)
    add_executable(vantactl_vs_libmodbus_bench
        ${CMAKE_CURRENT_SOURCE_DIR}/vantactl_vs_libmodbus.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/pty_responder.cpp)
    target_include_directories(vantactl_vs_libmodbus_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(vantactl_vs_libmodbus_bench PRIVATE Qt6::Core PkgConfig::LIBMODBUS)
    target_compile_definitions(vantactl_vs_libmodbus_bench PRIVATE
        VANTACTL_PATH="$<TARGET_FILE:vantactl>")
    add_dependencies(vantactl_vs_libmodbus_bench vantactl)
else()
    message(STATUS "libmodbus not found: vantactl_vs_libmodbus_bench is not built")
endif()
