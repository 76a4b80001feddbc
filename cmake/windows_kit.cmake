# The Windows kit: a zip per architecture (udfzel-<version>-win64.zip,
# -win32.zip) that a user unzips and copies into a Firebird server's tree:
#   UDF/udfzel.dll            the legacy module   -> <Firebird root>\UDF
#   plugins/udr/udfzel.dll    the UDR module      -> <Firebird root>\plugins\udr
#   udfzel-locale.exe         what the DLLs load under an account's locale
#   sql/<CHARSET>/*.sql       the declaration scripts of every character set
#   README-Windows.txt, docs/
# `cmake --build <dir> --target package` writes it (cpack -G ZIP).
install(TARGETS udfzel LIBRARY DESTINATION UDF RUNTIME DESTINATION UDF)
install(TARGETS udfzel_udr LIBRARY DESTINATION plugins/udr RUNTIME DESTINATION plugins/udr)
install(TARGETS udfzel-locale RUNTIME DESTINATION .)
install(DIRECTORY ${UDFZEL_CHARSET_SCRIPTS_DIR}/ DESTINATION sql)
install(FILES packaging/README-Windows.txt DESTINATION .)
install(FILES docs/functions.md docs/udr.md DESTINATION docs)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(UDFZEL_WINDOWS_ARCH win64)
else()
  set(UDFZEL_WINDOWS_ARCH win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME udfzel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME udfzel-${PROJECT_VERSION}-${UDFZEL_WINDOWS_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
