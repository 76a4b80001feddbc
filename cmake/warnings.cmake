# The project's warnings, for g++ and clang alike. They are errors in the
# project's own scripts and CI (-DUDFZEL_WERROR=ON); a user building with
# another compiler version gets them as warnings, not as a failed build.
option(UDFZEL_WERROR "Treat the project's warnings as errors" OFF)

function(udfzel_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion)
  if(UDFZEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
