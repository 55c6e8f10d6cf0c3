# What `cmake --install` gives beyond the executables on a freedesktop system: the menu entry, the
# icon in the hicolor theme, the AppStream metadata, the manual pages and the help document,
# where the program looks for it (share/quorvel beside its bin folder).
include(GNUInstallDirs)

set(QUORVEL_APP_ID org.quorvel.quorvel)
set(data ${PROJECT_SOURCE_DIR}/data)
set(generated ${CMAKE_BINARY_DIR}/generated/data)
set(icons ${PROJECT_SOURCE_DIR}/src/ui/resources)

install(FILES ${data}/${QUORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${icons}/quorvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${icons}/icons/quorvel-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quorvel.png)
endforeach()

configure_file(${data}/${QUORVEL_APP_ID}.metainfo.xml.in
               ${generated}/${QUORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${QUORVEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/inform.htm
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)

# Manual pages and the changelog compressed as Debian wants them: gzip at its best, without a
# name or time stamp inside, so that the same sources give the same bytes.
set(compressed)
function(quorvel_gzip source target)
    add_custom_command(OUTPUT ${target}
        COMMAND gzip -9nc ${source} > ${target}
        DEPENDS ${source} VERBATIM)
    set(compressed ${compressed} ${target} PARENT_SCOPE)
endfunction()
foreach(page quorvel quorvel-reg quorvel-standin)
    configure_file(${data}/man/${page}.1.in ${generated}/man/${page}.1 @ONLY)
    quorvel_gzip(${generated}/man/${page}.1 ${generated}/man/${page}.1.gz)
    install(FILES ${generated}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
quorvel_gzip(${data}/debian/changelog ${generated}/changelog.gz)
add_custom_target(quorvel_install_data ALL DEPENDS ${compressed})

install(FILES ${data}/debian/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
