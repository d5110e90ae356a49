# After archiving, what CPack's own archivers still take from the build: the
# zip's creation times and the builder's user id go (strip-nondeterminism), and
# the .deb is rebuilt by dpkg-deb, which takes every time in it from
# SOURCE_DATE_EPOCH and makes root the owner.
foreach(package ${CPACK_PACKAGE_FILES})
    if(package MATCHES "\\.zip$")
        execute_process(COMMAND strip-nondeterminism -T ${CPACK_DRAPENO_EPOCH} ${package}
                        COMMAND_ERROR_IS_FATAL ANY)
    elseif(package MATCHES "\\.deb$")
        set(tree ${CPACK_TOPLEVEL_DIRECTORY}/deb-tree)
        file(REMOVE_RECURSE ${tree})
        execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${CPACK_DRAPENO_EPOCH}
                                dpkg-deb --root-owner-group -Zxz --build ${tree} ${package}
                        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
        file(REMOVE_RECURSE ${tree})
    endif()
endforeach()
