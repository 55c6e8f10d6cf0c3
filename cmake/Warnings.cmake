# Strict warnings for everything we compile ourselves; CI turns them into errors.
option(QUORVEL_WERROR "Treat compiler warnings as errors" OFF)

function(quorvel_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4)
        if(QUORVEL_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                 -Wno-sign-conversion -Wnon-virtual-dtor
                                                 -Wold-style-cast -Woverloaded-virtual)
        if(QUORVEL_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()
