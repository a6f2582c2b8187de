# Packages made by CPack from the install rules. On Debian, in a Release build configured with
# -DCMAKE_INSTALL_PREFIX=/usr, `cpack -G DEB` makes kestrel_VERSION_amd64.deb (tools/package.sh
# builds and checks it); in the mingw-w64 build `cpack -G ZIP` makes the Windows zip, the program
# with its data folder and the sample map in one folder.
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "kestrel maintainers")
set(CPACK_PACKAGE_CONTACT "kestrel maintainers <maintainers@users.noreply.c-seed-eed55fd5.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.kestrel-maps.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write TYP style files for the types a Garmin map uses")
# Lines of at most 80 characters, as Debian's rules ask.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "kestrel opens Garmin maps (IMG files, and NT maps with a GMP subfile), lists\n"
    "which polygon, line and POI type codes they use, extended codes included, and\n"
    "writes a TYP source text with a default style for exactly those types, ready\n"
    "for a TYP editor or mkgmap. It also writes binary TYP files whose colours\n"
    "spell each type code and lists the Garmin map products installed on the\n"
    "machine.\n\n"
    "This package holds the desktop program kestrel and the command-line program\n"
    "kestrel-cli.")
set(CPACK_STRIP_FILES ON)
# The same modes whatever the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the programs link; libcurl is loaded only when an update check runs, so no
# linked library names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85)")
# The desktop database, the MIME database and the icon cache are updated by the triggers of the
# packages that own them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mkgmap, wine")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_GENERATOR DEB)
endif()
include(CPack)
