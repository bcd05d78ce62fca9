# The packages: a Debian package on Linux (`cpack -G DEB` in the build
# folder), a portable ZIP on Windows (`cpack -G ZIP`), and the MSI, which
# scripts/package makes with wixl from windows/quarvel2.wxs.in.
set(CPACK_PACKAGE_NAME quarvel2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zobrel and Kaspiet")
set(CPACK_PACKAGE_CONTACT "Zobrel and Kaspiet <quarvel2@quarvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compress and decompress files with the ucc packer")
set(CPACK_STRIP_FILES ON)
# Every file in a package gets the time SOURCE_DATE_EPOCH names, not its build time.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/clamp_times.cmake)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quarvel2-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  math(EXPR minor "${PROJECT_VERSION_MINOR} + 0")
  set(QUARVEL_MSI_VERSION ${PROJECT_VERSION_MAJOR}.${minor}.0)
  # wixl takes paths relative to where it runs: the build folder.
  configure_file(${PROJECT_SOURCE_DIR}/resources/win32/quarvel2.ico quarvel2.ico COPYONLY)
  set(QUARVEL_ICON quarvel2.ico)
  set(QUARVEL_EXE app/win32/quarvel2.exe)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/quarvel2.wxs.in ${CMAKE_BINARY_DIR}/quarvel2.wxs @ONLY)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quarvel.org/)
# The extended text; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quarvel puts a point-and-click face on the command-line packer ucc. Pick
a drive, a folder and a file in three linked lists, then compress the
folder or the file, decompress the file, or delete it after a Yes/No
question that names it.
.
The ucc program is not part of this package: it must be installed and on
the search path.")
# The libraries come from dpkg-shlibdeps; what is loaded at run time only is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins (>= 6.4), fonts-comic-neue")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# What Debian wants beside the program: the copyright, the changelog and the
# manual page, the last two compressed without a time stamp.
set(doc ${CMAKE_INSTALL_DATADIR}/doc/quarvel2)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION ${doc})
foreach(source debian/changelog quarvel2.1)
  get_filename_component(name ${source} NAME)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${source}.in ${name} @ONLY)
  add_custom_command(OUTPUT ${name}.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/${name} > ${name}.gz
    DEPENDS ${CMAKE_BINARY_DIR}/${name})
  list(APPEND compressed ${CMAKE_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(package_documents ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${doc})
install(FILES ${CMAKE_BINARY_DIR}/quarvel2.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
include(CPack)
