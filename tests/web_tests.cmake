# The web build's tests, run from the host: the value suites under Node in
# the Debian 13 root (tests/web/node.sh, CTest's cross-compiling emulator),
# and the site itself in Debian's Chromium on a static server of its own
# (tests/web/site_test.py). Included by CMakeLists.txt.
foreach(suite values_test solution_accuracy_test)
    # Node ends with the suite's own exit status.
    target_link_options(${suite} PRIVATE -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sSTACK_SIZE=1MB)
    set_tests_properties(${suite} PROPERTIES TIMEOUT 900)
endforeach()

# Debian's Python, which has Debian's Selenium; the font the page must
# draw with, to measure the title against.
find_file(SISTEMA_SERIF_FONT_FILE LiberationSerif-Regular.ttf PATHS /usr/share/fonts/truetype/liberation
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_test(NAME site_test COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/web/site_test.py
    ${PROJECT_BINARY_DIR}/site ${SISTEMA_SERIF_FONT_FILE} ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
set_tests_properties(site_test PROPERTIES TIMEOUT 300)
