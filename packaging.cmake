# `cpack -G DEB` in the build folder makes the Debian package.
set(CPACK_PACKAGE_NAME quarvel2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zobrel and Kaspiet <quarvel2@quarvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compress and decompress files with the ucc packer")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), qt6-qpa-plugins (>= 6.4), fonts-comic-neue")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
