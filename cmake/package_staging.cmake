# Before archiving: every staged file and folder gets the package's time, and
# folders the mode a package should have whatever the builder's umask (files
# got theirs from install()).
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -type d -exec chmod 0755 {} +
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @${CPACK_DRAPENO_EPOCH} {} +
                COMMAND_ERROR_IS_FATAL ANY)
