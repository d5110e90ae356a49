# One build of the extension: cmake -DSOURCE=DIR -DOUTPUT=DIR -DWRAPPER=legacy|module
#   -DUUID=... -DSHELL_VERSIONS='"43", "44"' -P build.cmake
# The shared service goes inside the wrapper, which brings its own imports.
cmake_minimum_required(VERSION 3.24)
file(READ ${SOURCE}/service.js SERVICE)
file(READ ${SOURCE}/${WRAPPER}.js wrapped)
string(REPLACE "/* service.js */" "${SERVICE}" wrapped "${wrapped}")
file(MAKE_DIRECTORY ${OUTPUT})
file(WRITE ${OUTPUT}/extension.js "${wrapped}")
configure_file(${SOURCE}/metadata.json.in ${OUTPUT}/metadata.json @ONLY)
# A package's modes, whatever the builder's umask.
file(CHMOD ${OUTPUT}/extension.js ${OUTPUT}/metadata.json PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
