# The Debian package, built by CPack from the same install rules as the
# cmake route (scripts/package.sh): udfzel_<version>_<arch>.deb with stripped
# modules, and udfzel-dbgsym_<version>_<arch>.ddeb with their debug symbols,
# for the target's Debian architecture. Depends is what dpkg-shlibdeps finds
# in the binaries (for a cross build, in the target's packages: package.sh).
install(FILES packaging/README.Debian packaging/copyright DESTINATION share/doc/udfzel)
set(UDFZEL_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${UDFZEL_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9n < ${CMAKE_SOURCE_DIR}/packaging/changelog > ${UDFZEL_CHANGELOG_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog)
set(UDFZEL_MANPAGE_GZ ${CMAKE_BINARY_DIR}/packaging/udfzel-locale.1.gz)
add_custom_command(OUTPUT ${UDFZEL_MANPAGE_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9n < ${CMAKE_SOURCE_DIR}/packaging/udfzel-locale.1 > ${UDFZEL_MANPAGE_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/udfzel-locale.1)
add_custom_target(udfzel_changelog ALL DEPENDS ${UDFZEL_CHANGELOG_GZ} ${UDFZEL_MANPAGE_GZ})
install(FILES ${UDFZEL_CHANGELOG_GZ} DESTINATION share/doc/udfzel)
install(FILES ${UDFZEL_MANPAGE_GZ} DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME udfzel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "external SQL functions for Firebird: text, numbers, dates, blobs")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "28 functions in two faces over the same code: legacy external functions\n\
(udfzel.so) and a UDR module (libudfzel.so), with their declaration scripts\n\
and the locale diagnostic udfzel-locale. Results are byte-exact, every call\n\
allocates at most the one result buffer, and no input can take the server\n\
down.")
set(CPACK_PACKAGE_CONTACT "udfzel maintainers <maintainers@users.noreply.c-seed-1e3c32a8.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
execute_process(
  COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
  OUTPUT_VARIABLE UDFZEL_DEBIAN_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${UDFZEL_DEBIAN_ARCH})
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firebird3.0-server-core")
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
