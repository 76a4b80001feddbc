# Firebird development files (Debian: firebird-dev, libib-util, libfbclient2).
find_path(FIREBIRD_INCLUDE_DIR ibase.h REQUIRED)
find_path(FIREBIRD_IB_UTIL_INCLUDE_DIR ib_util.h REQUIRED)
find_library(FIREBIRD_IB_UTIL_LIBRARY ib_util REQUIRED PATHS ${UDFZEL_FIREBIRD_DIR}/lib)
find_library(FIREBIRD_CLIENT_LIBRARY fbclient REQUIRED)
