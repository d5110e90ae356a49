# The time written into a package: SOURCE_DATE_EPOCH, or the last commit's.
set(CPACK_DRAPENO_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(CPACK_DRAPENO_EPOCH STREQUAL "")
    execute_process(COMMAND git -C ${CPACK_DRAPENO_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE CPACK_DRAPENO_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT CPACK_DRAPENO_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No commit to date the package by: set SOURCE_DATE_EPOCH")
endif()
# rpmbuild takes it from its environment.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_DRAPENO_EPOCH})
