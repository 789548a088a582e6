# `cmake --install build --prefix P`: the programs, the shell-extension
# module and its registration tool together in P/lib/kestrane (the programs
# find their siblings beside their own file), links to the programs in
# P/bin, desktop entries naming P/bin, and the icons in the hicolor theme.

set(KESTRANE_ICON_SIZES 16 22 24 32 48 64 128 256)
# Program, icon, name, generic name, comment, categories (comma-separated),
# MIME types (comma-separated), the argument Exec passes.
set(KESTRANE_DESKTOP_PROGRAMS
    "Kestrane|kestrane|Kestrane|Hex Editor|View and edit any file as hexadecimal bytes|Utility|application/octet-stream|%f"
    "Pellwick|pellwick|Pellwick|Data Watch|See typed-in bytes as fourteen data types|Utility|-|-"
    "Tamsorel|tamsorel|Tamsorel|Hexadecimal Calculator|Calculate with multibyte hexadecimal operands|Utility,Calculator|-|-")

# The icons as PNG at every size, drawn from the programs' SVGs at build time.
set(icon_outputs)
foreach(entry IN ITEMS "kestrane|programs/kestrane/icons/kestrane.svg"
                       "pellwick|programs/pellwick/icons/pellwick.svg"
                       "tamsorel|programs/tamsorel/icons/tamsorel.svg")
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 svg)
    foreach(size IN LISTS KESTRANE_ICON_SIZES)
        set(png ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/${name}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps
            COMMAND kestrane-icons ${PROJECT_SOURCE_DIR}/${svg} ${png} ${size}
            DEPENDS kestrane-icons ${PROJECT_SOURCE_DIR}/${svg}
            VERBATIM)
        list(APPEND icon_outputs ${png})
        install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/${svg} DESTINATION share/icons/hicolor/scalable/apps)
endforeach()
add_custom_target(kestrane_theme_icons ALL DEPENDS ${icon_outputs})

install(TARGETS Kestrane Pellwick Tamsorel kestrane-regsvr RUNTIME DESTINATION lib/kestrane)
install(TARGETS Brisvane LIBRARY DESTINATION lib/kestrane)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Kestrane.help DESTINATION lib/kestrane)

install(CODE [[
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    file(MAKE_DIRECTORY "${root}/bin" "${root}/share/applications")
    foreach(program Kestrane Pellwick Tamsorel)
        file(CREATE_LINK "../lib/kestrane/${program}" "${root}/bin/${program}" SYMBOLIC)
    endforeach()
]])

# Written at installation, so the Exec line names the prefix installed to.
foreach(entry IN LISTS KESTRANE_DESKTOP_PROGRAMS)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 program)
    list(GET parts 1 icon)
    list(GET parts 2 name)
    list(GET parts 3 generic)
    list(GET parts 4 comment)
    list(GET parts 5 categories)
    list(GET parts 6 mime)
    list(GET parts 7 argument)
    install(CODE "
        set(entry_program \"${program}\")
        set(entry_icon \"${icon}\")
        set(entry_name \"${name}\")
        set(entry_generic \"${generic}\")
        set(entry_comment \"${comment}\")
        set(entry_categories \"${categories}\")
        set(entry_mime \"${mime}\")
        set(entry_argument \"${argument}\")
        include(\"${PROJECT_SOURCE_DIR}/cmake/WriteDesktopEntry.cmake\")
    ")
endforeach()

# The desktop's caches of the prefix, when installing for real.
install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
        find_program(update_desktop update-desktop-database)
        find_program(update_icons gtk-update-icon-cache)
        if(update_desktop)
            execute_process(COMMAND ${update_desktop} -q "${CMAKE_INSTALL_PREFIX}/share/applications")
        endif()
        if(update_icons)
            execute_process(COMMAND ${update_icons} -q -t -f "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor")
        endif()
    endif()
]])
