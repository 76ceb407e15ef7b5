# Runs inside CPack on the staged files, before they are packed: gzip the manual pages as Debian
# wants them (-n leaves out the time stamp, so the package builds the same each time).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man[1-9]/*.[1-9]")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "gzip ${page} failed")
    endif()
endforeach()
