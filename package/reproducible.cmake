# Read by cpack before it packages. The same sources make the same .deb, byte for byte: CPack
# dates every file and archive member SOURCE_DATE_EPOCH when that is set, and the moment of
# packaging when not. Unset, it is taken from the last commit, or outside a git checkout from the
# changelog's newest entry, as Debian's own tools take it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C ${CPACK_LOTTOVOX_SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT epoch MATCHES "^[0-9]+$")
        execute_process(COMMAND dpkg-parsechangelog -l ${CPACK_LOTTOVOX_SOURCE_DIR}/package/changelog -S Timestamp
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()

include(${CMAKE_CURRENT_LIST_DIR}/shlibdeps.cmake)
