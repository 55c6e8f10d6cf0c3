# The Debian package that scripts/package builds with CPack: what `cmake --install` gives, under
# /usr, with the dependencies dpkg-shlibdeps reads off the executables.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <developers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "profiles of mail and news settings, switched from the tray")
# Debian's description: short lines, a "." line between paragraphs. set() makes a list of the
# quoted pieces, joined back into one text below (so the text itself must not hold a ";").
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel keeps any number of named profiles of the settings of Internet Mail and\n"
    "News: identity, POP3 and SMTP servers, account and password, signatures,\n"
    "message store, address book and options. It switches the client from one\n"
    "profile to another by writing the profile's copy into the client's registry\n"
    "keys and starting the client again.\n"
    ".\n"
    "It lives in the notification area, has a settings window with seven panes,\n"
    "password-protected profiles, several POP3 account profiles per profile with a\n"
    "hosts file, and a command line, quorvel PROFILE/m, that switches, starts the\n"
    "client and ends. quorvel-reg reads and writes its registry store in the style\n"
    "of reg.exe, and quorvel-standin stands in for Windows and the mail client.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION mail)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its SVG plugin at run time, so no binary names it: the icon is drawn from SVG.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The help document opens in the browser the stand-in finds: xdg-open, else sensible-browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sensible-utils")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
