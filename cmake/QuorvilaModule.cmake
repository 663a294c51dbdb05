# One call per folder under src/: a static library of rule files (no widgets), optionally a
# sibling <name>_ui library with the folder's screens, and the folder's tests.

function(quorvila_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# quorvila_module(<name> SOURCES ... [LIBS ...] [UI_SOURCES ...] [UI_LIBS ...])
function(quorvila_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;UI_SOURCES;UI_LIBS" ${ARGN})
    if(ARG_SOURCES)
        add_library(${name} STATIC ${ARG_SOURCES})
        quorvila_defaults(${name})
        target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_LIBS})
    else()
        # A folder whose rules live elsewhere: only its screens library has sources.
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE Qt6::Core ${ARG_LIBS})
    endif()
    if(ARG_UI_SOURCES)
        add_library(${name}_ui STATIC ${ARG_UI_SOURCES})
        quorvila_defaults(${name}_ui)
        target_link_libraries(${name}_ui PUBLIC ${name} Qt6::Widgets ${ARG_UI_LIBS})
    endif()
endfunction()

# quorvila_gtest(<name> SOURCES ... LIBS ...): a GoogleTest executable registered with ctest.
function(quorvila_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    quorvila_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# quorvila_qtest(<name> SOURCES ... LIBS ...): a Qt Test executable on the offscreen platform.
function(quorvila_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    quorvila_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
