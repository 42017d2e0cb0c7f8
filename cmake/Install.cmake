# Install rules and the Debian package (CPack).
#
# The installed tree: the programs in bin/, their read-only files (help
# topics, report layouts) in share/vanta-pos/ where the programs look for
# them beside ../share/vanta-pos, the desktop entry, icons, AppStream
# metainfo, manual pages and the licence.
include(GNUInstallDirs)
# Installing (and so packaging) builds only what it installs: scripts/package
# builds the programs, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(VANTA_APP_ID org.vantapos.VantaPOS)
set(VANTA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vanta-pos)

install(TARGETS vanta-pos vanta-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vanta-pos/help)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/reports/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vanta-pos/reports)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/${VANTA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/${VANTA_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/install/${VANTA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/${VANTA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/vanta-pos.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/vanta-pos-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vanta-pos.png)
endforeach()

# Manual pages and the change log are installed compressed (gzip -n: no
# time stamp, so the same sources give the same package).
find_program(VANTA_GZIP gzip REQUIRED)
set(VANTA_COMPRESSED)
function(vanta_compressed source output)
  configure_file(${source} ${CMAKE_BINARY_DIR}/install/${output} @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/install/${output}.gz
    COMMAND ${VANTA_GZIP} -9nf -k ${CMAKE_BINARY_DIR}/install/${output}
    DEPENDS ${CMAKE_BINARY_DIR}/install/${output} VERBATIM)
  set(VANTA_COMPRESSED ${VANTA_COMPRESSED} ${CMAKE_BINARY_DIR}/install/${output}.gz PARENT_SCOPE)
endfunction()
vanta_compressed(${CMAKE_SOURCE_DIR}/resources/man/vanta-pos.1 vanta-pos.1)
vanta_compressed(${CMAKE_SOURCE_DIR}/resources/man/vanta-admin.1 vanta-admin.1)
vanta_compressed(${CMAKE_SOURCE_DIR}/resources/doc/changelog changelog)
add_custom_target(vanta_install_files ALL DEPENDS ${VANTA_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/install/vanta-pos.1.gz ${CMAKE_BINARY_DIR}/install/vanta-admin.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/install/changelog.gz ${CMAKE_SOURCE_DIR}/resources/doc/copyright
        DESTINATION ${VANTA_DOC_DIR})

# --- The Debian package -------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vanta-pos)
set(CPACK_PACKAGE_VENDOR "The Vanta! POS developers")
set(CPACK_PACKAGE_CONTACT "Vanta! POS developers <maintainers@vantapos.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "register for the counter of a small retail store")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # vanta-pos_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the programs themselves (dpkg-shlibdeps); a window
# needs Qt's platform plugins besides. The backup of a server store runs
# the PostgreSQL client's pg_dump.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql-client, cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above comes first; CPack indents these lines as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Vanta! POS is the register of a small shop. A cashier scans or looks up the
items, the register prices every line, adds sales tax and shipping, takes
payment with change due and prints the receipt.

It works with barcode scanners that type like a keyboard, receipt printers
and cash drawers. Items may come in variants and at bulk prices; customers
can buy on invoice, and goods can be returned or exchanged.

The store is kept in one encrypted file on this computer, backed up every
day, or on a PostgreSQL server shared by several registers. The first start
offers a demo store to try it out.")
include(CPack)
