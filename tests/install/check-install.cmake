# Installs the build into a fresh prefix and checks what a desktop and a user get from it: the menu
# entry and metainfo pass their validators, the manual pages render without warnings, the pieces
# refer to one another by names that exist, the installed tool runs from the prefix, and the data
# sits where the program looks for it.
#
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DPREFIX=... -DAPP_ID=... -DVERSION=...
#       -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -DMAN=... -P check-install.cmake

set(failures "")
function(fail message)
    set(failures "${failures}\n  - ${message}" PARENT_SCOPE)
endfunction()

foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI MAN)
    if(NOT EXISTS "${${tool}}")
        message(FATAL_ERROR "${tool} is not installed (see scripts/debian-packages.txt)")
    endif()
endforeach()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(desktop_entry "${PREFIX}/share/applications/${APP_ID}.desktop")
set(metainfo "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml")
set(icon_dir "${PREFIX}/share/icons/hicolor/scalable/apps")
foreach(path IN ITEMS bin/quenbury bin/quenbury-verify share/quenbury/locations.txt
                      share/man/man1/quenbury.1 share/man/man1/quenbury-verify.1
                      share/doc/quenbury/copyright)
    if(NOT EXISTS "${PREFIX}/${path}")
        fail("${path} is not installed")
    endif()
endforeach()
foreach(path IN ITEMS "${desktop_entry}" "${metainfo}")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${path} is not installed")
    endif()
endforeach()

# The program opens its database in <bindir>/../share/quenbury; what lies there must be the shipped
# file byte for byte (CR LF and all).
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE_DIR}/data/locations.txt"
                        "${PREFIX}/bin/../share/quenbury/locations.txt" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    fail("bin/../share/quenbury/locations.txt differs from data/locations.txt")
endif()

# The menu entry must start an installed program and show an installed icon; the metainfo must
# launch that entry and list only installed programs.
file(STRINGS "${desktop_entry}" exec_line REGEX "^Exec=")
file(STRINGS "${desktop_entry}" icon_line REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" exec_name "${exec_line}")
string(REGEX REPLACE "^Icon=" "" icon_name "${icon_line}")
if(exec_name STREQUAL "" OR NOT EXISTS "${PREFIX}/bin/${exec_name}")
    fail("desktop entry runs '${exec_name}', which is not in bin/")
endif()
if(icon_name STREQUAL "" OR NOT EXISTS "${icon_dir}/${icon_name}.svg")
    fail("desktop entry shows icon '${icon_name}', but ${icon_dir}/${icon_name}.svg is not installed")
endif()
file(READ "${metainfo}" metainfo_text)
string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]*)</launchable>" _ "${metainfo_text}")
if(NOT CMAKE_MATCH_1 STREQUAL "${APP_ID}.desktop")
    fail("metainfo launches '${CMAKE_MATCH_1}' instead of ${APP_ID}.desktop")
endif()
string(REGEX MATCHALL "<binary>[^<]*</binary>" binaries "${metainfo_text}")
if(binaries STREQUAL "")
    fail("metainfo provides no binary")
endif()
foreach(binary IN LISTS binaries)
    string(REGEX REPLACE "</?binary>" "" binary "${binary}")
    if(NOT EXISTS "${PREFIX}/bin/${binary}")
        fail("metainfo provides '${binary}', which is not in bin/")
    endif()
endforeach()
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${metainfo_text}")
if(NOT CMAKE_MATCH_1 STREQUAL "${VERSION}")
    fail("metainfo's release is '${CMAKE_MATCH_1}', the project's version is ${VERSION}")
endif()

# Validators: any remark at all counts, not only errors.
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop_entry}" RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
    fail("desktop-file-validate (${rc}):\n${out}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --pedantic --no-color "${metainfo}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(STRIP "${out}" out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^[^\n]*Validation was successful\\.$")
    fail("appstreamcli validate (${rc}):\n${out}")
endif()

# Manual pages: rendered as a reader sees them, and every groff warning is a failure.
foreach(page_and_section IN ITEMS "quenbury-verify|EXIT STATUS" "quenbury|FILES")
    string(REPLACE "|" ";" page_and_section "${page_and_section}")
    list(GET page_and_section 0 page)
    list(GET page_and_section 1 section)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env MANWIDTH=80 LC_ALL=C "${MAN}" --warnings -l
                            "${PREFIX}/share/man/man1/${page}.1"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
        fail("man --warnings -l ${page}.1 (${rc}):\n${err}")
    elseif(NOT out MATCHES "\nNAME\n +${page} - " OR NOT out MATCHES "\n${section}\n")
        fail("${page}.1 renders without its NAME line or its ${section} section:\n${out}")
    endif()
endforeach()

# The installed tool, run from the prefix: a clean file, a faulty one, a missing one.
set(work "${PREFIX}-files")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(WRITE "${work}/clean.txt"
     "#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n")
file(WRITE "${work}/faulty.txt"
     "#MatchEvent*\r\nTOR\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\nYYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n")
set(cases
    "clean|clean.txt|0|Number of Errors: 0"
    "asterisk missing|faulty.txt|1|\\*\\*Asterisk Missing\nor there is a blank line at:\nLine 2\n"
    "unreadable|missing.txt|2|^$"
    "version|--version|0|^quenbury-verify ${VERSION}\n$")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" case "${case}")
    list(GET case 0 name)
    list(GET case 1 argument)
    list(GET case 2 expected_rc)
    list(GET case 3 expected_output)
    execute_process(COMMAND "${PREFIX}/bin/quenbury-verify" "${argument}" WORKING_DIRECTORY "${work}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc STREQUAL expected_rc OR NOT out MATCHES "${expected_output}")
        fail("installed quenbury-verify, ${name}: exit ${rc} (expected ${expected_rc}), output:\n${out}${err}")
    endif()
endforeach()

if(NOT failures STREQUAL "")
    message(FATAL_ERROR "The install into ${PREFIX} is not right:${failures}")
endif()
message(STATUS "Install into ${PREFIX} checked")
