# The bundle information dictionary that every program carries as a Qt resource.
set(CORVANE_URL_DA_API "http://127.0.0.1:8787" CACHE STRING "Base address of the server API")
set(CORVANE_URL_DO_SITE "https://corvane.app" CACHE STRING "Base address of the web site")
set(CORVANE_GRUPO_DO_CHAVEIRO "app.corvane.compartilhado" CACHE STRING "Keychain access group shared by both programs")
set(CORVANE_GRUPO_DO_APP "group.app.corvane" CACHE STRING "Application group shared by both programs")

set(CORVANE_INFO_DIR "${CMAKE_BINARY_DIR}/info")
configure_file("${CMAKE_CURRENT_LIST_DIR}/Info.json.in" "${CORVANE_INFO_DIR}/Info.json" @ONLY)
file(WRITE "${CORVANE_INFO_DIR}/info.qrc.in"
    "<RCC><qresource prefix=\"/corvane\"><file>Info.json</file></qresource></RCC>\n")
configure_file("${CORVANE_INFO_DIR}/info.qrc.in" "${CORVANE_INFO_DIR}/info.qrc" COPYONLY)

# Compiles the dictionary into a program (an object library, so no resource initialiser is needed).
function(corvane_incluir_info alvo)
    target_sources(${alvo} PRIVATE "${CORVANE_INFO_DIR}/info.qrc")
    set_target_properties(${alvo} PROPERTIES AUTORCC ON)
endfunction()
