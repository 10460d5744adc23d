# What `make package` installs and how the Debian package is made.
# Only the desk program and the administration command are shipped; the
# support desk's command stays with the support desk.
include(GNUInstallDirs)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET velmora-admin)
    install(TARGETS velmora-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages are shipped compressed, as Debian's are.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_man_pages)
foreach(page velmora.1 velmora-admin.1)
    if(EXISTS ${CMAKE_SOURCE_DIR}/docs/${page})
        set(_gz ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
        add_custom_command(OUTPUT ${_gz}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
            COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_SOURCE_DIR}/docs/${page} > ${_gz}
            DEPENDS ${CMAKE_SOURCE_DIR}/docs/${page} VERBATIM)
        list(APPEND _man_pages ${_gz})
    endif()
endforeach()
add_custom_target(man_pages ALL DEPENDS ${_man_pages})
install(FILES ${_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Velmora developers <desk@velmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Concierge desk of a hotel or resort")
set(CPACK_PACKAGE_DESCRIPTION
    "The logbook of guest requests, guest profiles, contacts, groups and events, bookings, lost and found, key control, rentals, messages between staff, confirmations and CSV exports. Several workstations share one SQLite folder or a PostgreSQL server.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the library scan cannot see them: both database
# drivers, the dictionary of the spelling check, the desktop's opener of
# files and mail.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, hunspell-en-us | hunspell-dictionary, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql-client")
include(CPack)
