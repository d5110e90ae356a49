# Before archiving the .rpm: what an RPM system has where the .deb has
# Debian's. The licence goes to /usr/share/licenses (%license); the Debian
# changelog goes, as the package's header carries the changelog.
if(NOT CPACK_GENERATOR STREQUAL "RPM")
    return()
endif()
set(root ${CPACK_TEMPORARY_DIRECTORY})
file(MAKE_DIRECTORY ${root}/usr/share/licenses/drapeno)
file(RENAME ${root}/usr/share/doc/drapeno/copyright ${root}/usr/share/licenses/drapeno/LICENSE)
file(REMOVE_RECURSE ${root}/usr/share/doc)

