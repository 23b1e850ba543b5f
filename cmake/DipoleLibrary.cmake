# dipole_library(NAME SOURCES... ) makes the static library of the calling
# folder. Its public include path offers that folder's headers alone, as
# "<folder>/Header.h": a library sees the headers of the libraries it links
# and nothing else, so a lower layer cannot include an upper one.
function(dipole_library name)
    add_library(${name} STATIC ${ARGN})
    get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
    set(public "${CMAKE_CURRENT_BINARY_DIR}/public")
    file(MAKE_DIRECTORY "${public}")
    if(NOT EXISTS "${public}/${folder}")
        file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${public}/${folder}" SYMBOLIC)
    endif()
    target_include_directories(${name} PUBLIC "${public}")
endfunction()
