// Number text by picture: "#,##0.00;(#,##0.00);'zero'", "0.00E+00".
#pragma once

#include <string_view>

#include "engines/numbers/floattext.h"

namespace udfzel {

// The longest text a picture of at most 224 characters can produce is well
// under this; a buffer of this size never drops a character.
inline constexpr std::size_t kNumberPictureOutput = 1024;

// Appends x formatted by `picture` to `out`. Throws EConvertError ("String
// de formato muito longa") for a picture of more than 224 characters.
void FormatNumberPicture(std::string_view picture, Extended x, NumberSeparators separators,
                         TextBuffer& out);

}  // namespace udfzel
