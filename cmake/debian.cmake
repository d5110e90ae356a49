# The X11 build as a Debian package: /usr/bin/drapeno (the name Linux users
# type), its man page and its copyright. The run-time dependencies are what
# dpkg-shlibdeps finds the program linked against.
include(GNUInstallDirs)
install(PROGRAMS $<TARGET_FILE:Drapeno> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME drapeno)

# gzip -n: no name or time in the header, so the same text compresses to the
# same bytes on every machine.
foreach(text drapeno.1 changelog)
    add_custom_command(OUTPUT ${text}.gz
                       COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${PROJECT_SOURCE_DIR}/docs/${text} ${text}.gz
                       DEPENDS ${PROJECT_SOURCE_DIR}/docs/${text} VERBATIM)
endforeach()
add_custom_target(debian_docs ALL DEPENDS drapeno.1.gz changelog.gz)
set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/drapeno)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/drapeno.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${docdir})
install(FILES LICENSE DESTINATION ${docdir} RENAME copyright)

# `cpack` makes both packages; `cpack -G DEB` or `-G RPM` one.
set(CPACK_GENERATOR DEB RPM)
set(CPACK_PACKAGE_NAME drapeno)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
# The same maintainer as the last entry of docs/changelog.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "The Drapeno developers <maintainers@users.noreply.c-seed-f371781a.example>")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "hide or show a desktop window chosen by its title
drapeno -h=Title hides the first visible top-level window whose whole title
is Title (A-Z folded); drapeno -s=Title shows the first one with that title,
restored and activated. It keeps no state, is silent and always exits 0.")
include(${CMAKE_CURRENT_LIST_DIR}/reproducible.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/rpm.cmake)
include(CPack)
include(${CMAKE_CURRENT_LIST_DIR}/arch.cmake)

if(BUILD_TESTING)
    add_test(NAME debian_package COMMAND sh ${PROJECT_SOURCE_DIR}/tests/check_package.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(debian_package PROPERTIES LABELS package SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
