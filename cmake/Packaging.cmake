# The packages, built by CPack from the same install rules as
# `cmake --install`:  cpack --config <build>/CPackConfig.cmake
# On Linux the Debian package; on Windows an installer and a zip. (The web
# site is a folder of its own: scripts/web.sh zips it.)
if(EMSCRIPTEN)
    return()
endif()
set(CPACK_PACKAGE_NAME sistema)
set(CPACK_PACKAGE_VENDOR "${SISTEMA_VENDOR}")
set(CPACK_PACKAGE_CONTACT "The sistema authors <sistema@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solves x - y = a, x * y = b, for a school project (Bulgarian)")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/data/description.txt)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    include(cmake/WindowsPackaging.cmake)
    include(CPack)
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://sistema.example.org/)
# The libraries the program links, found by dpkg-shlibdeps; the font its
# window is laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# Native Wayland, and Qt's own texts in Bulgarian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
