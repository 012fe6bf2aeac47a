# Installs what a distribution package carries besides the programs (man pages, AppStream
# metadata, Debian documents) and configures CPack for a .deb. scripts/package.sh runs it all.
set(TAVO_MAINTAINER
    "Tavo Receiver maintainers <maintainers@users.noreply.c-seed-5de1f857.example>")
# Honours SOURCE_DATE_EPOCH, so that a package can be rebuilt byte for byte.
string(TIMESTAMP TAVO_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP TAVO_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVO_MAINTAINER})
set(tavo_package_files "")

# Configures `source` (project version and dates) into the build tree as `name`, compressed
# with gzip when `gzipped` is given, and installs it into `destination`.
function(tavo_install_document source name destination)
    set(configured ${PROJECT_BINARY_DIR}/package/${name})
    configure_file(${source} ${configured} @ONLY)
    if(ARGV3 STREQUAL "gzipped")
        # -n leaves out the name and time stamp: the same input gives the same bytes.
        add_custom_command(OUTPUT ${configured}.gz
            COMMAND gzip -9nf -k ${configured}
            DEPENDS ${configured}
            COMMENT "Compressing ${name}")
        set(configured ${configured}.gz)
        set(tavo_package_files ${tavo_package_files} ${configured} PARENT_SCOPE)
    endif()
    install(FILES ${configured} DESTINATION ${destination})
endfunction()

tavo_install_document(app/tavo-receiver.1.in tavo-receiver.1 ${CMAKE_INSTALL_MANDIR}/man1 gzipped)
tavo_install_document(tools/tavo-send/tavo-send.1.in tavo-send.1 ${CMAKE_INSTALL_MANDIR}/man1
                      gzipped)
# A package built from its own sources (no Debian revision) keeps its changelog as changelog.gz.
tavo_install_document(cmake/debian/changelog.in changelog ${CMAKE_INSTALL_DATADIR}/doc/tavo-receiver
                      gzipped)
tavo_install_document(cmake/debian/copyright copyright ${CMAKE_INSTALL_DATADIR}/doc/tavo-receiver)
tavo_install_document(app/io.github.tavo.receiver.metainfo.xml.in
                      io.github.tavo.receiver.metainfo.xml ${CMAKE_INSTALL_DATADIR}/metainfo)
add_custom_target(tavo_package_documents ALL DEPENDS ${tavo_package_files})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavo-receiver)
set(CPACK_PACKAGE_VENDOR "Tavo Receiver maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "type barcode scans from a phone into the focused application")
set(CPACK_PACKAGE_DESCRIPTION [[
Tavo Receiver receives barcode scans from a scanner app on a phone over the
local network and types each one into the application that has the keyboard
focus, followed by Return or a comma. It sits in the system tray and
advertises itself by DNS-SD (_tavo._tcp), so that the phone finds it
without setup.

The package also holds tavo-send, a phone simulator for trying the receiver.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without the daemon the receiver runs but the phone cannot find it; without Qt's Wayland plugin
# it shows no panel in a Wayland session that has no Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "avahi-daemon, qt6-wayland, qt6-translations-l10n")
include(CPack)
