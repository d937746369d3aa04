# The web build's tests, run from the host: the value suites and the form's
# handlers under Node in the Debian 13 root (tests/web/node.sh, CTest's
# cross-compiling emulator) and under WebKit's JavaScriptCore,
# and the site itself in three browser engines on a static server of its own
# (tests/web/site_test.py), and as Orca reads it in Firefox. Included by
# CMakeLists.txt.
# The same suites also under JavaScriptCore's shell (jsc), Safari's engine,
# whose WebAssembly interpreter is not V8's: one of its faults lost a C++
# exception's type on the way to its handler.
foreach(suite values_test solution_accuracy_test handlers_test)
    # Node ends with the suite's own exit status.
    target_link_options(${suite} PRIVATE -sENVIRONMENT=node,shell -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sSTACK_SIZE=1MB)
    set_tests_properties(${suite} PROPERTIES TIMEOUT 900)
    add_test(NAME ${suite}_jsc COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/jsc.sh $<TARGET_FILE:${suite}>)
    set_tests_properties(${suite}_jsc PROPERTIES TIMEOUT 900 LABELS suite)
endforeach()

# The site in each browser engine (tests/web/browser.py): Chromium headless,
# WebKitGTK and Firefox in windows of an X server of their own. Debian's
# Python, which has Debian's Selenium and WebSocket client; the font the page
# must draw with, to measure the title against. One browser at a time: a
# browser starting takes both cores, and the tests wait on what they see.
find_file(SISTEMA_SERIF_FONT_FILE LiberationSerif-Regular.ttf PATHS /usr/share/fonts/truetype/liberation
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# axe-core, pinned in web/package-lock.json, which scripts/test.sh installs (npm ci).
set(axe ${CMAKE_CURRENT_SOURCE_DIR}/web/node_modules/axe-core/axe.min.js)
foreach(engine chromium webkit firefox)
    add_test(NAME site_test_${engine}
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/with_display.sh
            /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/web/site_test.py ${engine}
            ${PROJECT_BINARY_DIR}/site ${SISTEMA_SERIF_FONT_FILE} ${axe} ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
    set_tests_properties(site_test_${engine} PROPERTIES TIMEOUT 300 RESOURCE_LOCK browser)
endforeach()

# What Orca says as a user works the site in Firefox: the controls' names on
# Tab, the result from the live region, a locked box read-only.
add_test(NAME orca_firefox_test COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/orca_test.sh ${PROJECT_BINARY_DIR}/site)
set_tests_properties(orca_firefox_test PROPERTIES TIMEOUT 180 RESOURCE_LOCK browser)
