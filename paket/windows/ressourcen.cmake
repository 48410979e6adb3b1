# Windows resources for a program: the Quadrix icon in every size of the
# Debian package, version information and the manifest, built by windres.
find_program(QUADRIX_RSVG rsvg-convert REQUIRED)
set(_ressourcen ${CMAKE_BINARY_DIR}/ressourcen)
set(QUADRIX_ICO ${_ressourcen}/quadrix.ico)
set(_quelle ${CMAKE_CURRENT_LIST_DIR})
set(_bilder)
foreach(groesse 16 24 32 48 64 128 256)
    set(vorlage ${PROJECT_SOURCE_DIR}/paket/quadrix.svg)
    if(groesse EQUAL 16)
        set(vorlage ${PROJECT_SOURCE_DIR}/paket/quadrix-16.svg)
    endif()
    list(APPEND _bilder ${_ressourcen}/quadrix-${groesse}.png)
    list(APPEND _befehle COMMAND ${QUADRIX_RSVG} -w ${groesse} -h ${groesse} -o ${_ressourcen}/quadrix-${groesse}.png ${vorlage})
endforeach()
add_custom_command(OUTPUT ${QUADRIX_ICO}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_ressourcen}
    ${_befehle}
    COMMAND bash ${_quelle}/ico.sh ${QUADRIX_ICO} ${_bilder}
    DEPENDS ${PROJECT_SOURCE_DIR}/paket/quadrix.svg ${PROJECT_SOURCE_DIR}/paket/quadrix-16.svg ${_quelle}/ico.sh
    VERBATIM)
add_custom_target(quadrix_ico DEPENDS ${QUADRIX_ICO})

# quadrix_ressourcen(ZIEL NAME BESCHREIBUNG): the resources into the program ZIEL.
function(quadrix_ressourcen ziel name beschreibung)
    set(QUADRIX_NAME ${name})
    set(QUADRIX_BESCHREIBUNG ${beschreibung})
    set(QUADRIX_MANIFEST ${_ressourcen}/${name}.manifest)
    configure_file(${_quelle}/quadrix.manifest ${QUADRIX_MANIFEST} @ONLY)
    configure_file(${_quelle}/programm.rc.in ${_ressourcen}/${name}.rc @ONLY)
    target_sources(${ziel} PRIVATE ${_ressourcen}/${name}.rc)
    set_source_files_properties(${_ressourcen}/${name}.rc PROPERTIES OBJECT_DEPENDS "${QUADRIX_ICO};${QUADRIX_MANIFEST}")
    add_dependencies(${ziel} quadrix_ico)
endfunction()
