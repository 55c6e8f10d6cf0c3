# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build.
option(QUORVEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(QUORVEL_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "QUORVEL_SANITIZE is supported with GCC and Clang only")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
