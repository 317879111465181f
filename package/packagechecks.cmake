# Read by cpack before it packages. Without dpkg-shlibdeps CPack quietly leaves the library
# packages out of Depends, making a .deb that installs but cannot start.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(LOTTOVOX_SHLIBDEPS dpkg-shlibdeps)
    if(NOT LOTTOVOX_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing: apt-get install dpkg-dev")
    endif()
endif()
