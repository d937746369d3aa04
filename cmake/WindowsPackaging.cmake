# The Windows download: sistema-<version>-win64-setup.exe, an installer made
# with NSIS, and sistema-<version>-win64.zip, the same folder to unpack and
# run anywhere. Included by Packaging.cmake.
set(CPACK_GENERATOR NSIS ZIP)
# The program without its symbol table, which only a debugger reads.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
# The installer's name gets "-setup" (see WindowsPackageNames.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/WindowsPackageNames.cmake)

# A 64-bit installer for a 64-bit program, in Unicode for the Bulgarian
# names; the program, not the installer's maker, on every page's bottom line
# (CPack's own setting for it asks for a trimmed line, which makensis does
# only on Windows).
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nBrandingText '${SISTEMA_DISPLAY_NAME} ${PROJECT_VERSION}'")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY sistema)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY sistema)
set(CPACK_NSIS_PACKAGE_NAME "${SISTEMA_DISPLAY_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${SISTEMA_DISPLAY_NAME}")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/icons/org.example.sistema.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/icons/org.example.sistema.ico)
# Room for the Bulgarian titles of the first and last pages.
set(CPACK_NSIS_WELCOME_TITLE_3LINES ON)
set(CPACK_NSIS_FINISH_TITLE_3LINES ON)

# One Start-menu shortcut, right under Programs, as Windows 10 and 11 ask of
# a single program: no folder, no page to choose one, no shortcut to the
# uninstaller (Settings, Apps has the entry in the list of installed
# programs). CPack's NSIS template always makes a folder with an
# uninstaller's shortcut; this build uses it without them.
# (Each backslash twice over: CPack writes these into its configuration.)
set(shortcut "'$SMPROGRAMS\\\\${SISTEMA_DISPLAY_NAME}.lnk'")
set(CPACK_NSIS_CREATE_ICONS_EXTRA "CreateShortCut ${shortcut} '$INSTDIR\\\\sistema.exe'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete ${shortcut}")
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
# Replaces the part of the template from `first` to the end of `last`.
function(replace_in_template first last replacement)
    string(FIND "${template}" "${first}" start)
    string(SUBSTRING "${template}" ${start} -1 rest)
    string(FIND "${rest}" "${last}" end)
    if(start EQUAL -1 OR end EQUAL -1)
        message(FATAL_ERROR "CMake's NSIS template has changed: no \"${first}\" ... \"${last}\"")
    endif()
    string(LENGTH "${last}" length)
    math(EXPR end "${end} + ${length}")
    string(SUBSTRING "${template}" 0 ${start} before)
    string(SUBSTRING "${rest}" ${end} -1 after)
    set(template "${before}${replacement}${after}" PARENT_SCOPE)
endfunction()
replace_in_template("!insertmacro MUI_PAGE_STARTMENU" "$STARTMENU_FOLDER\n" "")
replace_in_template("!insertmacro MUI_STARTMENU_WRITE_BEGIN" "$STARTMENU_FOLDER\"\n" "")
replace_in_template("CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Uninstall.lnk\"" ".exe\"\n" "")
replace_in_template("!insertmacro MUI_STARTMENU_WRITE_END" "\n" "")
# The uninstaller looks for the chosen folder and removes it when empty.
replace_in_template("!insertmacro MUI_STARTMENU_GETFOLDER" "secondStartMenuDeleteLoopDone:\n"
    "@CPACK_NSIS_DELETE_ICONS_EXTRA@\n")
file(WRITE ${PROJECT_BINARY_DIR}/nsis/NSIS.template.in "${template}")
set(CPACK_MODULE_PATH ${PROJECT_BINARY_DIR}/nsis)

# The entry in the list of installed programs, with the program's own icon.
# The program sits at the top of its folder.
set(CPACK_NSIS_INSTALLED_ICON_NAME sistema.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://sistema.example.org/)
set(CPACK_NSIS_HELP_LINK https://sistema.example.org/)
set(CPACK_NSIS_CONTACT sistema@example.org)
# A new version takes the old one's place, silently too.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
