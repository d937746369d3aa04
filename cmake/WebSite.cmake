# The web site of a program built for the web: the program, the page around
# it (app/web), its manifest, icons, service worker and licences, in
# `site_dir`, put together by app/web/make-site.cmake once the program is
# linked. Qt for the web is GPL-3.0 (its platform plugin) and the font is
# under the SIL Open Font License: their licences travel with the site,
# beside the program's own.
function(add_web_site name program site_dir)
    find_file(SISTEMA_FONT_LICENCE copyright PATHS /usr/share/doc/fonts-liberation NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    find_file(SISTEMA_GPL3 GPL-3 PATHS /usr/share/common-licenses NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(web_dir ${PROJECT_SOURCE_DIR}/app/web)
    set(licences "sistema-MIT.txt=${PROJECT_SOURCE_DIR}/LICENSE|Qt-GPL-3.0.txt=${SISTEMA_GPL3}")
    string(APPEND licences "|LiberationSerif-OFL.txt=${SISTEMA_FONT_LICENCE}")
    add_custom_command(OUTPUT ${site_dir}/sw.js
        COMMAND ${CMAKE_COMMAND} -D program=${program} -D program_dir=$<TARGET_FILE_DIR:${program}>
            -D site_dir=${site_dir} -D source_dir=${PROJECT_SOURCE_DIR} -D display_name=${SISTEMA_DISPLAY_NAME}
            -D licences=${licences} -P ${web_dir}/make-site.cmake
        DEPENDS ${program} ${web_dir}/make-site.cmake ${web_dir}/index.html.in ${web_dir}/sw.js.in
            ${web_dir}/manifest.json.in ${PROJECT_SOURCE_DIR}/form/main_form.ui
        VERBATIM)
    add_custom_target(${name} ALL DEPENDS ${site_dir}/sw.js)
endfunction()
