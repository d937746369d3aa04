# Puts the web site together: the program (<program>.js and .wasm, Qt's
# loader), the page around it, its manifest, icons and licences, and the
# service worker that keeps them, whose cache is named after the contents;
# and beside them the single-file page, <program>.html.
#     cmake -D program=sistema -D program_dir=... -D site_dir=... -D source_dir=... -D display_name=...
#           -D licences="<name>=<file>|..." -P make-site.cmake
file(REMOVE_RECURSE ${site_dir})
file(MAKE_DIRECTORY ${site_dir}/icons ${site_dir}/licences)

# The page's title is the window's caption, its colour the form's.
file(READ ${source_dir}/form/main_form.ui form)
string(REGEX MATCH "<property name=\"windowTitle\">[ \n]*<string>([^<]*)</string>" _ "${form}")
set(caption "${CMAKE_MATCH_1}")
string(REGEX MATCH "<colorrole role=\"Window\">[^/]*<red>([0-9]+)</red>[ \n]*<green>([0-9]+)</green>[ \n]*<blue>([0-9]+)</blue>"
    _ "${form}")
set(form_colour "#")
foreach(channel ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
    # Two hexadecimal digits each: 0x1XX, less its first three characters.
    math(EXPR channel "0x100 + ${channel}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${channel}" 3 2 channel)
    string(APPEND form_colour "${channel}")
endforeach()
if(caption STREQUAL "" OR NOT form_colour MATCHES "^#[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f]$")
    message(FATAL_ERROR "main_form.ui: no caption or window colour found")
endif()

foreach(file ${program}.js ${program}.wasm qtloader.js)
    file(COPY ${program_dir}/${file} DESTINATION ${site_dir})
endforeach()
file(SIZE ${program_dir}/${program}.wasm wasm_size)
set(head_links [[<link rel="icon" href="icons/org.example.sistema.svg" type="image/svg+xml">
<link rel="icon" href="icons/32x32.png" sizes="32x32" type="image/png">
<link rel="apple-touch-icon" href="icons/256x256.png">
<link rel="manifest" href="manifest.json">]])
set(program_scripts "<script src=\"qtloader.js\"></script>\n<script src=\"${program}.js\"></script>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html.in ${site_dir}/index.html @ONLY)

# The same page in one file, to open from a folder (file://, where browsers
# fetch nothing), a USB stick or an e-mail: the loader, the program's code
# and its WebAssembly (in base64, the font and Qt's texts in it) inside.
# Not part of the site a browser keeps; a download of its own.
# base64(<file> <result> [<line length>]): one line unless a length is given.
function(base64 file result)
    set(width 0)
    if(ARGC GREATER 2)
        set(width ${ARGV2})
    endif()
    execute_process(COMMAND base64 -w ${width} ${file} OUTPUT_VARIABLE encoded
        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${result} "${encoded}" PARENT_SCOPE)
endfunction()
# The WebAssembly in pieces of 256 kB, each an element of its own: WebKit
# takes seconds to read one of 11 MB, whose text it keeps adding to.
set(piece "<script type=\"application/octet-stream\" class=\"program-code\">")
base64(${program_dir}/${program}.wasm wasm 262144)
string(REPLACE "\n" "</script>\n${piece}" wasm "${wasm}")
base64(${source_dir}/data/icons/hicolor/scalable/apps/org.example.sistema.svg icon)
set(head_links "<link rel=\"icon\" href=\"data:image/svg+xml;base64,${icon}\" type=\"image/svg+xml\">")
set(program_scripts "")
foreach(file qtloader.js ${program}.js)
    file(READ ${program_dir}/${file} code)
    if(code MATCHES "</script")
        message(FATAL_ERROR "${file} cannot go into a page as it is: it holds \"</script\"")
    endif()
    string(APPEND program_scripts "<script>\n${code}\n</script>\n")
endforeach()
string(APPEND program_scripts "${piece}${wasm}</script>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html.in ${site_dir}/${program}.html @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/manifest.json.in ${site_dir}/manifest.json @ONLY)

set(icons ${source_dir}/data/icons/hicolor)
file(COPY_FILE ${icons}/32x32/apps/org.example.sistema.png ${site_dir}/icons/32x32.png)
file(COPY_FILE ${icons}/256x256/apps/org.example.sistema.png ${site_dir}/icons/256x256.png)
file(COPY ${icons}/scalable/apps/org.example.sistema.svg DESTINATION ${site_dir}/icons)

string(REPLACE "|" ";" licences "${licences}")
foreach(licence IN LISTS licences)
    string(REGEX MATCH "^([^=]+)=(.*)$" _ "${licence}")
    file(COPY_FILE ${CMAKE_MATCH_2} ${site_dir}/licences/${CMAKE_MATCH_1})
endforeach()

# Every file the page needs, the page itself also by its folder's address.
file(GLOB_RECURSE files RELATIVE ${site_dir} ${site_dir}/*)
list(REMOVE_ITEM files ${program}.html)
list(SORT files)
set(contents "")
set(site_files "\"./\"")
foreach(file IN LISTS files)
    file(SHA256 ${site_dir}/${file} hash)
    string(APPEND contents "${file} ${hash}\n")
    string(APPEND site_files ", \"${file}\"")
endforeach()
string(SHA256 site_version "${contents}")
string(SUBSTRING ${site_version} 0 16 site_version)
configure_file(${CMAKE_CURRENT_LIST_DIR}/sw.js.in ${site_dir}/sw.js @ONLY)
