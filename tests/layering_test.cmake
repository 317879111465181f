# Run by CTest as a script: builds each probe of the layering, named in PROBES as
# target=header, and expects it to fail on that header missing and on nothing else.
foreach(probe IN LISTS PROBES)
    string(REPLACE "=" ";" fields ${probe})
    list(GET fields 0 target)
    list(GET fields 1 header)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${target}
        OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
    if(result EQUAL 0)
        message(SEND_ERROR "${target}: ${header} was found")
    elseif(NOT output MATCHES "${header}: No such file or directory|'${header}' file not found")
        message(SEND_ERROR "${target} failed otherwise than on ${header}:\n${output}")
    endif()
endforeach()
