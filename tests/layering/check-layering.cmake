# The layers point one way. The core's sources and tests use Qt Core only, and each folder of the core
# includes only the folders below it: the match file's rules know no section, event or location.
set(layers
    "matchfile:matchfile"
    "events:events,matchfile"
    "locations:locations,matchfile"
    "translations:translations,matchfile"
    "sections:sections,events,translations,matchfile"
    "wizard:wizard,sections,events,locations,translations,matchfile"
    "verify:sections,matchfile")
set(core_dirs src/matchfile src/events src/locations src/translations src/sections src/wizard src/verify
              tests/matchfile tests/events tests/locations tests/translations tests/wizard tests/verify)
set(offenders "")
foreach(dir IN LISTS core_dirs)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.cpp")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" hits REGEX "#[ \t]*include[ \t]*[<\"](QtGui|QtWidgets|QWidget|QApplication|QGuiApplication|QtTest/QtGui)")
        if(hits)
            list(APPEND offenders "${f}: ${hits}")
        endif()
    endforeach()
endforeach()
foreach(layer IN LISTS layers)
    string(REPLACE ":" ";" parts "${layer}")
    list(GET parts 0 folder)
    list(GET parts 1 allowed)
    string(REPLACE "," "|" allowed "${allowed}")
    file(GLOB files "${SOURCE_DIR}/src/${folder}/*.h" "${SOURCE_DIR}/src/${folder}/*.cpp")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" includes REGEX "#[ \t]*include[ \t]*\"[a-z]+/")
        foreach(line IN LISTS includes)
            if(NOT line MATCHES "\"(${allowed})/")
                list(APPEND offenders "${f}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(offenders)
    list(JOIN offenders "\n" text)
    message(FATAL_ERROR "Layers must point one way, and the core must use Qt Core only:\n${text}")
endif()
message(STATUS "layering: each folder includes only the folders below it; the core uses Qt Core only")
