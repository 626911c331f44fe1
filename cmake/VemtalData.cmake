# The program's shared data lives in <prefix>/share/vemtal. The build tree
# mirrors the installed layout (the program in bin/, the data in share/vemtal/),
# so the program finds its data relative to its executable in both.
include(GNUInstallDirs)
set(VEMTAL_STAGE_DIR "${CMAKE_BINARY_DIR}/share/vemtal")
set(VEMTAL_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/vemtal")

# vemtal_add_data(<subdir> FILES <file>...)
# Copies the files into the build tree's share/vemtal/<subdir> at build time
# and installs them into <datadir>/vemtal/<subdir>. <subdir> may be ".".
function(vemtal_add_data subdir)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FILES")
    set(outputs)
    foreach(file IN LISTS arg_FILES)
        get_filename_component(name "${file}" NAME)
        set(out "${VEMTAL_STAGE_DIR}/${subdir}/${name}")
        add_custom_command(OUTPUT "${out}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${file}" "${out}"
            DEPENDS "${file}" VERBATIM)
        list(APPEND outputs "${out}")
    endforeach()
    string(MAKE_C_IDENTIFIER "vemtal_data_${subdir}" target)
    add_custom_target(${target} ALL DEPENDS ${outputs})
    # One target for all of it: the program and the tests depend on it.
    if(NOT TARGET vemtal_data)
        add_custom_target(vemtal_data ALL)
    endif()
    add_dependencies(vemtal_data ${target})
    install(FILES ${arg_FILES} DESTINATION "${VEMTAL_INSTALL_DATADIR}/${subdir}")
endfunction()
