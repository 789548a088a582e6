# Draws the help set's pictures of the hex view with the program's own
# renderer, so they always show the view as this build draws it.
#   cmake -DRENDER=<kestrane-render> -DOUT=<help folder> -P HelpPictures.cmake
if(NOT RENDER OR NOT OUT)
    message(FATAL_ERROR "HelpPictures.cmake needs RENDER and OUT")
endif()

set(codes "")
foreach(code RANGE 1 47)
    list(APPEND codes ${code})
endforeach()
string(ASCII ${codes} low_bytes)
set(sample "${OUT}/.sample.bin")
file(WRITE "${sample}"
    "KSTR${low_bytes}Hello, hex world! The quick brown fox jumps over the lazy dog. 0123456789")

function(draw name)
    execute_process(COMMAND "${RENDER}" "${sample}" "${OUT}/${name}" ${ARGN}
                    RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "kestrane-render could not draw ${name}: ${error}")
    endif()
endfunction()

draw(view.png --size 770x180 --select 52:69)
draw(units.png --size 630x180 --unit 4 --indent 2)
file(REMOVE "${sample}")
