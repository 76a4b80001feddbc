// The messages the UDR face reads, laid out as the face computes them, and
// the check of those layouts against the client library's own metadata
// builder, where the build has the client library.
#pragma once

#include <string>
#include <string_view>

namespace udfzel_fuzz {

// Texts declared at their kinds' limits, as the shipped scripts do for the
// functions that touch blobs.
template <class B>
constexpr typename B::Layout kFull = B::FullLayout();

// Empty when the client library lays out both messages of the function as
// the face reads them.
using LayoutCheck = std::string (*)();

// The check for a listed entry point; null in a build without the client
// library (the Windows tests), whose layouts the server checks at setup.
LayoutCheck LayoutCheckOf(std::string_view entry);

}  // namespace udfzel_fuzz
