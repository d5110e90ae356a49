# Before archiving the .rpm: what an RPM system has where the .deb has
# Debian's. The licence goes to /usr/share/licenses (%license); the Debian
# changelog goes, as the package's header carries the changelog; the GNOME
# Shell extension is the build for GNOME 45 and later (the release's zip), the
# GNOME that Fedora, openSUSE and Arch ship, in place of the 43 and 44 one.
if(NOT CPACK_GENERATOR STREQUAL "RPM")
    return()
endif()
set(root ${CPACK_TEMPORARY_DIRECTORY})
file(MAKE_DIRECTORY ${root}/usr/share/licenses/drapeno)
file(RENAME ${root}/usr/share/doc/drapeno/copyright ${root}/usr/share/licenses/drapeno/LICENSE)
file(REMOVE_RECURSE ${root}/usr/share/doc)

file(GLOB extension LIST_DIRECTORIES true ${root}/usr/share/gnome-shell/extensions/*)
get_filename_component(uuid "${extension}" NAME)
set(zip ${CPACK_DRAPENO_BINARY_DIR}/platform/gnome/${uuid}.shell-extension.zip)
set(unpacked ${CPACK_TOPLEVEL_DIRECTORY}/gnome-45)
file(REMOVE_RECURSE ${extension} ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
file(GLOB files ${unpacked}/*)
file(COPY ${files} DESTINATION ${extension} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(REMOVE_RECURSE ${unpacked})
