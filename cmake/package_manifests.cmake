# The winget and Scoop manifests of the Windows zip, written beside it after
# its last rebuild (package_rebuild.cmake runs first): the hash is of the
# bytes a user downloads, and the paths are the ones the zip holds. CPack
# copies the zip from its staging folder to CPACK_PACKAGE_DIRECTORY after
# this; the manifests go straight there.
set(folder ${CPACK_PACKAGE_DIRECTORY})
set(identifier Drapeno.Drapeno)   # winget's Publisher.Package
set(manifest_version 1.10.0)      # read by winget 1.10 and every later one
set(homepage ${CPACK_DRAPENO_HOMEPAGE_URL})
set(releases ${homepage}/releases)
set(version ${CPACK_PACKAGE_VERSION})

# "MIT License" on the licence's first line: the SPDX name is what precedes it.
file(STRINGS ${CPACK_RESOURCE_FILE_LICENSE} title LIMIT_COUNT 1)
if(NOT title MATCHES "^([A-Za-z0-9.-]+) License$")
    message(FATAL_ERROR "${CPACK_RESOURCE_FILE_LICENSE}: no licence name on its first line")
endif()
set(license ${CMAKE_MATCH_1})

foreach(package ${CPACK_PACKAGE_FILES})
    if(NOT package MATCHES "-win64\\.zip$")
        continue()
    endif()
    get_filename_component(name ${package} NAME)
    file(SHA256 ${package} sha256)
    string(TOUPPER ${sha256} sha256_upper)
    # The zip's one program, under its one top folder (CPack's extract_dir).
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${package} OUTPUT_VARIABLE listing
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE "\n" ";" programs "${listing}")
    list(FILTER programs INCLUDE REGEX "\\.exe$")
    list(LENGTH programs count)
    if(NOT count EQUAL 1 OR NOT programs MATCHES "^([^/]+)/(.+)$")
        message(FATAL_ERROR "${name}: not one program under one folder: ${programs}")
    endif()
    set(extract_dir ${CMAKE_MATCH_1})
    set(program ${CMAKE_MATCH_2})
    string(REPLACE "/" "\\" nested "${extract_dir}/${program}")
    # The next release's names are this one's with Scoop's $version in them.
    set(url ${releases}/download/v${version}/${name})
    string(REPLACE "${version}" "$version" autoupdate_url "${url}")
    string(REPLACE "${version}" "$version" autoupdate_extract_dir "${extract_dir}")

    # winget's file names: the identifier, then the kind of the two others.
    set(templates ${CPACK_DRAPENO_SOURCE_DIR}/packaging)
    configure_file(${templates}/winget/version.yaml.in ${folder}/${identifier}.yaml @ONLY)
    configure_file(${templates}/winget/installer.yaml.in ${folder}/${identifier}.installer.yaml @ONLY)
    configure_file(${templates}/winget/defaultLocale.yaml.in ${folder}/${identifier}.locale.en-US.yaml @ONLY)
    configure_file(${templates}/scoop/drapeno.json.in ${folder}/drapeno.json @ONLY)
endforeach()
