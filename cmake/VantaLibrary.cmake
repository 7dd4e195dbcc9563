# vanta_folder_library(<folder> DEPENDS <libs...> [WIDGET_DEPENDS <libs...>])
# Builds src/<folder> as two static libraries: vanta_<folder> from the logic files (Qt Core
# only) and vanta_<folder>_widgets from the window files (frm*, mdi*, *_widget*), so tests of
# the logic never need a screen.
function(vanta_folder_library folder)
    cmake_parse_arguments(ARG "ALL_WIDGETS" "" "DEPENDS;WIDGET_DEPENDS" ${ARGN})
    file(GLOB all_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(logic_sources)
    set(widget_sources)
    foreach(source IN LISTS all_sources)
        get_filename_component(name ${source} NAME)
        if(ARG_ALL_WIDGETS OR name MATCHES "^(frm|mdi)" OR name MATCHES "_widget")
            list(APPEND widget_sources ${source})
        else()
            list(APPEND logic_sources ${source})
        endif()
    endforeach()

    if(logic_sources)
        add_library(vanta_${folder} STATIC ${logic_sources})
        target_include_directories(vanta_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(vanta_${folder} PUBLIC Qt6::Core ${ARG_DEPENDS})
    else()
        add_library(vanta_${folder} INTERFACE)
        target_include_directories(vanta_${folder} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(vanta_${folder} INTERFACE Qt6::Core ${ARG_DEPENDS})
    endif()

    if(widget_sources)
        add_library(vanta_${folder}_widgets STATIC ${widget_sources})
        target_link_libraries(vanta_${folder}_widgets
            PUBLIC vanta_${folder} Qt6::Widgets Qt6::PrintSupport ${ARG_WIDGET_DEPENDS})
    else()
        add_library(vanta_${folder}_widgets INTERFACE)
        target_link_libraries(vanta_${folder}_widgets INTERFACE vanta_${folder} Qt6::Widgets)
    endif()
endfunction()
