# Packages that are the same file whoever builds them, wherever and whenever:
# the time in them is SOURCE_DATE_EPOCH (by default the last commit's time),
# never the build's, and no builder's user, umask or path shows. CPack runs
# the three scripts below at packaging time, so a new commit needs no new
# configure.
set(CPACK_DRAPENO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_time.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_staging.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_rebuild.cmake)
