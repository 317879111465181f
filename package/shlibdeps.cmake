# Read by cpack before it packages (through reproducible.cmake): adds the library packages the
# program needs to Depends, as dpkg-shlibdeps finds them from its executable and plugins. CPack could do this
# itself, but it runs `file` on each of the two hundred installed files to find the executables,
# which takes longer than making the rest of the package.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
find_program(LOTTOVOX_SHLIBDEPS dpkg-shlibdeps)
if(NOT LOTTOVOX_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing: apt-get install dpkg-dev")
endif()

# dpkg-shlibdeps wants a source package's layout around the binary: debian/control, and the
# binary inside a package's build tree.
set(work ${CPACK_PACKAGE_DIRECTORY}/shlibdeps)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/debian/lottovox/DEBIAN)
file(TOUCH ${work}/debian/control)
file(COPY ${CPACK_LOTTOVOX_EXECUTABLE} ${CPACK_LOTTOVOX_PLUGINS} DESTINATION ${work}/debian/lottovox)
set(binaries debian/lottovox/lottovox)
foreach(plugin IN LISTS CPACK_LOTTOVOX_PLUGINS)
    get_filename_component(name ${plugin} NAME)
    list(APPEND binaries debian/lottovox/${name})
endforeach()
execute_process(COMMAND ${LOTTOVOX_SHLIBDEPS} -O ${binaries}
    WORKING_DIRECTORY ${work}
    OUTPUT_VARIABLE substitution
    COMMAND_ERROR_IS_FATAL ANY)
if(NOT substitution MATCHES "^shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps found no libraries: ${substitution}")
endif()
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CMAKE_MATCH_1}")
# A package both named above and found by dpkg-shlibdeps is listed once.
string(REPLACE ", " ";" depends "${CPACK_DEBIAN_PACKAGE_DEPENDS}")
list(REMOVE_DUPLICATES depends)
list(JOIN depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
