# The Arch package is built by makepkg from the source tarball, not by CPack
# (packaging/arch); its check builds it as the release does. Alone: a whole
# build, which would slow the desktop tests beside it past their waits.
if(BUILD_TESTING)
    add_test(NAME arch_package COMMAND sh ${PROJECT_SOURCE_DIR}/tests/check_arch.sh ${PROJECT_SOURCE_DIR})
    set_tests_properties(arch_package PROPERTIES LABELS package RUN_SERIAL TRUE TIMEOUT 600)
endif()
