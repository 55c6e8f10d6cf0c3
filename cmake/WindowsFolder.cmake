# The deployable Windows folder, ${CMAKE_BINARY_DIR}/Quorvel: the executables with the Qt DLLs,
# the windows platform plugin, the compiler's runtime DLLs that Qt's need, and the help document.
# It runs from anywhere, on a Windows (or Wine prefix) with nothing else installed. The copies are
# stripped of their debugging sections. Qt's windowsvista style is left out: under Wine 8 the
# program was killed on its way out whenever it was there; the style built into Qt is used.
set(QUORVEL_WINDOWS_FOLDER ${CMAKE_BINARY_DIR}/Quorvel)

# The runtime DLLs of the compiler that built Qt, which Qt's DLLs load.
set(runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${found}" AND EXISTS "${found}")
        list(APPEND runtime_dlls ${found})
    endif()
endforeach()
# winpthread lives with the target's libraries rather than the compiler's.
find_file(QUORVEL_WINPTHREAD_DLL libwinpthread-1.dll PATH_SUFFIXES bin lib)
if(QUORVEL_WINPTHREAD_DLL)
    list(APPEND runtime_dlls ${QUORVEL_WINPTHREAD_DLL})
endif()
list(REMOVE_DUPLICATES runtime_dlls)

set(folder_executables quorvel quorvel-reg)
if(TARGET quorvel-standin)
    list(APPEND folder_executables quorvel-standin)
endif()
set(copies)
set(binaries)
foreach(target ${folder_executables} Qt6::Core Qt6::Gui Qt6::Widgets)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}>
         ${QUORVEL_WINDOWS_FOLDER}/)
    list(APPEND binaries ${QUORVEL_WINDOWS_FOLDER}/$<TARGET_FILE_NAME:${target}>)
endforeach()
foreach(dll ${runtime_dlls})
    get_filename_component(name ${dll} NAME)
    list(APPEND binaries ${QUORVEL_WINDOWS_FOLDER}/${name})
endforeach()
set(platform_plugin Qt6::QWindowsIntegrationPlugin)
list(APPEND binaries ${QUORVEL_WINDOWS_FOLDER}/platforms/$<TARGET_FILE_NAME:${platform_plugin}>)
add_custom_target(windows_folder ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVEL_WINDOWS_FOLDER}/platforms
    ${copies}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
        $<TARGET_FILE:${platform_plugin}> ${QUORVEL_WINDOWS_FOLDER}/platforms/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${runtime_dlls} ${QUORVEL_WINDOWS_FOLDER}/
    COMMAND ${CMAKE_STRIP} --strip-debug ${binaries}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
        ${PROJECT_SOURCE_DIR}/src/ui/resources/inform.htm ${QUORVEL_WINDOWS_FOLDER}/
    DEPENDS ${folder_executables}
    COMMENT "The deployable Windows folder in ${QUORVEL_WINDOWS_FOLDER}"
    VERBATIM)

# The folder as one zip, for carrying to a Windows machine.
add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -E tar cf Quorvel-${PROJECT_VERSION}-win64.zip --format=zip Quorvel
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS windows_folder
    COMMENT "The deployable Windows folder as ${CMAKE_BINARY_DIR}/Quorvel-${PROJECT_VERSION}-win64.zip"
    VERBATIM)
