# The manual pages and the Debian package.
#
# make package runs cpack -G DEB in the build folder: velorin_<version>-1_amd64.deb
# with what the install rules name. The libraries it needs are found by
# dpkg-shlibdeps (Debian's dpkg-dev); the platform and JPEG plugins come with
# libqt6gui6, which the desktop program links.

# Manual pages and the package's changelog are installed compressed, as
# Debian expects (gzip -9n: the same bytes on every build).
set(compressed_folder ${CMAKE_BINARY_DIR}/compressed)
set(compressed_files)
function(velorin_gzip source output)
    add_custom_command(OUTPUT ${compressed_folder}/${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_folder}
        COMMAND gzip -9n -c ${source} > ${compressed_folder}/${output}
        DEPENDS ${source} VERBATIM)
    set(compressed_files ${compressed_files} ${compressed_folder}/${output} PARENT_SCOPE)
endfunction()

velorin_gzip(${PROJECT_SOURCE_DIR}/resources/man/velorin-chart.1 velorin-chart.1.gz)
install(FILES ${compressed_folder}/velorin-chart.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(VELORIN_BUILD_GUI)
    velorin_gzip(${PROJECT_SOURCE_DIR}/resources/man/velorin.1 velorin.1.gz)
    install(FILES ${compressed_folder}/velorin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
velorin_gzip(${PROJECT_SOURCE_DIR}/resources/debian/changelog changelog.Debian.gz)
install(FILES ${compressed_folder}/changelog.Debian.gz resources/debian/copyright DESTINATION ${VELORIN_DOCDIR})
add_custom_target(velorin_compressed_files ALL DEPENDS ${compressed_files})

set(CPACK_PACKAGE_NAME velorin)
set(CPACK_PACKAGE_VENDOR "The Velorin developers")
set(CPACK_PACKAGE_CONTACT "The Velorin developers <velorin@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vedic birth chart (Rashi chart) from the date, time and place of birth")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Velorin computes the Ascendant and Midheaven, the Moon with its nakshatra,
pada and lord, the Sun, Mercury to Saturn and the lunar nodes for the moment
of birth, turns every position sidereal and draws the Rashi chart in the
South Indian style.
.
The package holds the desktop program (velorin, with an entry form, chart
files, a text export, printing and pictures) and velorin-chart, which
computes the same chart on the command line as text, JSON or a drawn square.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The atlas's zones are the system's tz database.
set(CPACK_DEBIAN_PACKAGE_DEPENDS tzdata)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Folders as Debian has them, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
include(CPack)
