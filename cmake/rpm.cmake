# The same build as an RPM package for Fedora and openSUSE, beside the .deb:
# the same program, man page and both builds of the GNOME Shell extension; the
# licence where RPM systems keep it and the changelog in the package's header
# (rpm_staging.cmake). The requirements are what rpmbuild finds the program
# linked against, as sonames.
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP "System/X11/Utilities")
set(CPACK_RPM_PACKAGE_VENDOR "The Drapeno developers")
set(CPACK_PACKAGE_RELOCATABLE OFF)  # rpm only: files stay where the package puts them
# One description for both packages: the .deb's synopsis, capitalised as
# RPM's summaries are, and its text.
set(description "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
string(FIND "${description}" "\n" end)
string(SUBSTRING "${description}" 0 ${end} synopsis)
math(EXPR end "${end} + 1")
string(SUBSTRING "${description}" ${end} -1 CPACK_RPM_PACKAGE_DESCRIPTION)
string(SUBSTRING "${synopsis}" 0 1 first)
string(SUBSTRING "${synopsis}" 1 -1 rest)
string(TOUPPER "${first}" first)
set(CPACK_RPM_PACKAGE_SUMMARY "${first}${rest}")
# The system's own directories stay the system's; the extension folders are
# shared with gnome-shell, which the package does not require.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/man /usr/share/man/man1 /usr/share/licenses)
set(CPACK_RPM_USER_FILELIST "%license /usr/share/licenses/drapeno/LICENSE")
# The program is stripped and the man page compressed already: rpmbuild's
# own passes (strip, .comment removal) would make the packaged program differ
# from the .deb's.
set(CPACK_RPM_SPEC_INSTALL_POST /bin/true)
# Reproducible: no build host, every time SOURCE_DATE_EPOCH (package_time.cmake
# exports it to rpmbuild); gzip, which every rpm reads.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define _buildhost reproducible
%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1
%define _binary_payload w9.gzdio
%define _build_id_links none
%define packager ${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
list(PREPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/rpm_staging.cmake)

# docs/changelog, in RPM's form.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/changelog)
execute_process(COMMAND awk -v release=${CPACK_RPM_PACKAGE_RELEASE} -f ${CMAKE_CURRENT_LIST_DIR}/rpm_changelog.awk
                        ${PROJECT_SOURCE_DIR}/docs/changelog
                OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/rpm-changelog COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_BINARY_DIR}/rpm-changelog)

if(BUILD_TESTING)
    add_test(NAME rpm_package COMMAND sh ${PROJECT_SOURCE_DIR}/tests/check_rpm.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(rpm_package PROPERTIES LABELS package SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
