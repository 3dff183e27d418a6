# One QML module per UI folder: the static library `alvo` built from every C++ and QML file of
# the calling folder, registered under `URI`, its QML compiled and linted against the modules
# it imports.
#
#   corvane_modulo_qml(alvo URI Corvane.X [IMPORTS Corvane.Y …] [RESOURCES file …])
function(corvane_modulo_qml alvo)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "URI" "IMPORTS;RESOURCES")
    file(GLOB fontes RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.cpp *.h)
    file(GLOB qml RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS *.qml)
    string(REPLACE "." "/" pasta "${arg_URI}")
    set(opcionais)
    if(arg_IMPORTS)
        list(APPEND opcionais IMPORTS ${arg_IMPORTS})
    endif()
    if(arg_RESOURCES)
        list(APPEND opcionais RESOURCES ${arg_RESOURCES})
    endif()
    add_library(${alvo} STATIC)
    qt_add_qml_module(${alvo}
        URI ${arg_URI}
        VERSION 1.0
        OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/qml/${pasta}
        IMPORT_PATH ${PROJECT_BINARY_DIR}/qml
        DEPENDENCIES QtQuick
        SOURCES ${fontes}
        QML_FILES ${qml}
        ${opcionais}
    )
    # A header added to the folder must rerun moc even when older files have not changed.
    list(TRANSFORM fontes PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE fontes_absolutas)
    set_property(TARGET ${alvo} APPEND PROPERTY AUTOGEN_TARGET_DEPENDS ${fontes_absolutas})
    # The generated type registration includes the headers by bare name.
    target_include_directories(${alvo} PUBLIC ${PROJECT_SOURCE_DIR} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
