# One call per folder under src/: a static library of rule files (no widgets), optionally a
# <name>_gui library of painting and printing without widgets (reports, RTF, spreadsheet
# exports), optionally a sibling <name>_ui library with the folder's screens, and the folder's
# tests. Tiers: <name> links Qt::Core; <name>_gui links <name>, Qt::Gui and Qt::PrintSupport;
# <name>_ui links <name>_gui (or <name>) and Qt::Widgets.

function(quorvila_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# Qt::PrintSupport brings the widget headers onto the include path, so a widget include in a
# Gui-tier file would compile: refuse it when configuring instead.
function(quorvila_refuse_widget_includes target)
    get_target_property(dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
    set(widgetDir "")
    foreach(d IN LISTS dirs)
        if(d MATCHES "QtWidgets$")
            set(widgetDir ${d})
        endif()
    endforeach()
    foreach(src IN LISTS ARGN)
        file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${src} includes REGEX "^#include <Q")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include <([^>]+)>.*" "\\1" header "${line}")
            if(header MATCHES "^QtWidgets/" OR (widgetDir AND EXISTS ${widgetDir}/${header}))
                message(FATAL_ERROR "${src} (${target}, no widgets) includes <${header}>")
            endif()
        endforeach()
    endforeach()
endfunction()

set(QUORVILA_RESERVED_NAMES all clean help install test)

# quorvila_module(<name> SOURCES ... [LIBS ...] [GUI_SOURCES ...] [GUI_LIBS ...]
#                 [UI_SOURCES ...] [UI_LIBS ...])
# CMake keeps a few target names for itself ("help" is the Makefile generator's list of
# targets): the rules library of such a folder is <name>_rules; its _gui and _ui keep the name.
function(quorvila_module name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;GUI_SOURCES;GUI_LIBS;UI_SOURCES;UI_LIBS"
                          ${ARGN})
    set(rules ${name})
    if(name IN_LIST QUORVILA_RESERVED_NAMES)
        set(rules ${name}_rules)
    endif()
    if(ARG_SOURCES)
        add_library(${rules} STATIC ${ARG_SOURCES})
        quorvila_defaults(${rules})
        target_link_libraries(${rules} PUBLIC Qt6::Core ${ARG_LIBS})
    else()
        # A folder whose rules live elsewhere: only its screens library has sources.
        add_library(${rules} INTERFACE)
        target_link_libraries(${rules} INTERFACE Qt6::Core ${ARG_LIBS})
    endif()
    set(below ${rules})
    if(ARG_GUI_SOURCES)
        add_library(${name}_gui STATIC ${ARG_GUI_SOURCES})
        quorvila_defaults(${name}_gui)
        target_link_libraries(${name}_gui PUBLIC ${rules} Qt6::Gui Qt6::PrintSupport ${ARG_GUI_LIBS})
        quorvila_refuse_widget_includes(${name}_gui ${ARG_GUI_SOURCES})
        set(below ${name}_gui)
    endif()
    if(ARG_UI_SOURCES)
        add_library(${name}_ui STATIC ${ARG_UI_SOURCES})
        quorvila_defaults(${name}_ui)
        target_link_libraries(${name}_ui PUBLIC ${below} Qt6::Widgets ${ARG_UI_LIBS})
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
