# Helpers that keep the layering of the code base honest.
#
# A core library is plain C++ over the standard library, POSIX and SQLite.
# kestrane_core_library() declares one; kestrane_check_core_targets(), called
# at the end of the top-level file, fails the configuration when any core
# library reaches a Qt target through its link dependencies.

set_property(GLOBAL PROPERTY KESTRANE_CORE_TARGETS "")

function(kestrane_core_library name)
    add_library(${name} STATIC ${ARGN})
    set_property(GLOBAL APPEND PROPERTY KESTRANE_CORE_TARGETS ${name})
endfunction()

function(_kestrane_collect_links target out_var)
    set(seen ${${out_var}})
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(links ${target} ${property})
        if(NOT links)
            continue()
        endif()
        foreach(link IN LISTS links)
            if(link IN_LIST seen)
                continue()
            endif()
            list(APPEND seen ${link})
            if(TARGET ${link})
                get_target_property(aliased ${link} ALIASED_TARGET)
                if(aliased)
                    set(link ${aliased})
                    list(APPEND seen ${link})
                endif()
                _kestrane_collect_links(${link} seen)
            endif()
        endforeach()
    endforeach()
    set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

function(kestrane_check_core_targets)
    get_property(core GLOBAL PROPERTY KESTRANE_CORE_TARGETS)
    foreach(target IN LISTS core)
        set(links "")
        _kestrane_collect_links(${target} links)
        foreach(link IN LISTS links)
            if(link MATCHES "^Qt[0-9]*::" OR link MATCHES "Qt[0-9]*(Core|Gui|Widgets)")
                message(FATAL_ERROR "Core library '${target}' links Qt through '${link}'. "
                                    "Core libraries must stay free of Qt; move the code to a ui/ or qt/ folder.")
            endif()
        endforeach()
    endforeach()
endfunction()
