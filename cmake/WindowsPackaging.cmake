# The Windows download: sistema-<version>-win64-setup.exe, an installer made
# with NSIS, and sistema-<version>-win64.zip, the same folder to unpack and
# run anywhere. Included by Packaging.cmake.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
# The installer's name gets "-setup" (see WindowsPackageNames.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/WindowsPackageNames.cmake)

# A 64-bit installer for a 64-bit program, in Unicode for the Bulgarian names.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY sistema)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY sistema)
set(CPACK_NSIS_PACKAGE_NAME "${SISTEMA_DISPLAY_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${SISTEMA_DISPLAY_NAME}")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/icons/org.example.sistema.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/icons/org.example.sistema.ico)

# The Start-menu shortcut, with the program's own icon; the entry in the
# list of installed programs. The program sits at the top of its folder.
set(CPACK_PACKAGE_EXECUTABLES sistema "${SISTEMA_DISPLAY_NAME}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME sistema.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://sistema.example.org/)
set(CPACK_NSIS_HELP_LINK https://sistema.example.org/)
set(CPACK_NSIS_CONTACT sistema@example.org)
# A new version takes the old one's place, silently too.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
