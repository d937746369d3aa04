# The Windows build's tests, run under Wine by CTest's cross-compiling
# emulator (tests/windows/wine.sh), on the X display the test command gives
# them, all in one Wine prefix of the build's own. Included by CMakeLists.txt.
set(wine_prefix ${PROJECT_BINARY_DIR}/wine-prefix)

# The prefix, before the first test.
add_test(NAME wine_prefix COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/prefix.sh)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

# The program itself, main() and all, until its window is shown.
add_test(NAME program_test
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/program_test.sh $<TARGET_FILE:sistema> windows
            bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/wine.sh)
# Wine 8 has no per-monitor DPI awareness (version 2), which the program's
# manifest asks for and Windows 10 and 11 have, nor a monitor's device
# interface; Qt says so when it starts.
set_tests_properties(program_test PROPERTIES ENVIRONMENT
    "SISTEMA_PLATFORM_MESSAGES=DpiAwareness::PerMonitorVersion2 is not supported by current system|EnableNonClientDpiScaling\\(\\) failed|Unable to open monitor interface to")

# The installer and the zip, made by CPack, each in a fresh Wine prefix with
# a window manager; it types into the window, so nothing runs beside it.
# window_style.exe reads the frame Windows gives the program's window.
add_executable(window_style windows/window_style.cpp)
target_link_options(window_style PRIVATE -municode)
# CPack is the configuring CMake's: in the Debian 13 root, the root's.
if(DEFINED ENV{SISTEMA_IN_ROOT})
    set(cpack bash ${PROJECT_SOURCE_DIR}/scripts/debian13-root.sh cpack)
else()
    set(cpack ${CMAKE_CPACK_COMMAND})
endif()
add_test(NAME package_test
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/package_test.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION}
            $<TARGET_FILE:window_style> ${cpack})
set_tests_properties(package_test PROPERTIES RUN_SERIAL ON TIMEOUT 600)

# Every other test runs in the shared prefix, once it is made.
get_property(tests DIRECTORY PROPERTY TESTS)
list(REMOVE_ITEM tests package_test)
foreach(test IN LISTS tests)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "WINEPREFIX=${wine_prefix}")
    if(NOT test STREQUAL "wine_prefix")
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wine)
    endif()
endforeach()
