# Warnings and hardening for every target of ours; sanitizers on request.
add_compile_options(-Wall -Wextra -fstack-protector-strong)
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    add_compile_definitions(_FORTIFY_SOURCE=2)
endif()
add_link_options(-Wl,-z,relro,-z,now)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

if(CORVANE_ASAN OR CORVANE_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
if(CORVANE_FUZZ)
    # Coverage instrumentation for every library the fuzz targets link.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
