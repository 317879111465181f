# The Windows program: Lottovox.exe with its icon as a resource, and an install tree that is a
# self-contained folder (executable, voice files, Qt, SDL and the MinGW runtime).
set_target_properties(lottovox PROPERTIES OUTPUT_NAME Lottovox)

# Windows shows the first icon of the executable; one file holds every size, the large one as PNG.
find_program(LOTTOVOX_ICOTOOL icotool REQUIRED)
set(icon_file ${icon_folder}/lottovox.ico)
list(FILTER icon_files EXCLUDE REGEX "-256[.]png$")
add_custom_command(OUTPUT ${icon_file}
    COMMAND ${LOTTOVOX_ICOTOOL} --create --output=${icon_file} ${icon_files}
        --raw=${icon_folder}/lottovox-256.png
    DEPENDS ${icon_files} ${icon_folder}/lottovox-256.png
    COMMENT "Packing the application icon for Windows")
add_custom_target(windows_icon DEPENDS ${icon_file})
configure_file(lottovox.rc.in ${CMAKE_CURRENT_BINARY_DIR}/lottovox.rc @ONLY)
target_sources(lottovox PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/lottovox.rc)
# The executable is made in app/: the icon is packed before it, and its resources follow the icon.
add_dependencies(lottovox windows_icon)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/lottovox.rc TARGET_DIRECTORY lottovox
    PROPERTIES OBJECT_DEPENDS ${icon_file})

# Qt looks for its plugins in these folders beside the executable. The Vista style gives the
# buttons and boxes the look of the Windows they run on.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    $<TARGET_FILE:SDL2::SDL2> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${runtime_path}")
        message(FATAL_ERROR "The compiler does not know where ${runtime} is")
    endif()
    install(FILES ${runtime_path} DESTINATION .)
endforeach()
