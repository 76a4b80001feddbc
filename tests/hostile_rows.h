// A table of hostile inputs drawn from the fuzz grammar, and one SQL
// expression per function over its columns: the in-server concurrency run
// and the comparison of both faces use them.
#pragma once

#include <string>
#include <vector>

#include "fbsession.h"

namespace udfzel_test {

inline constexpr int kHostileRows = 300;

// Creates and fills table `hostile` (id, t, a, b, p, x, i, j, ts, bl) in the
// database at `path`.
void FillHostileRows(fbtest::FbSession& db, const std::string& path);

struct FunctionUse {
  const char* entry;
  const char* expression;
  // The same for the UDR face, where an over-long picture is an error
  // rather than NULL; null when it is the same expression.
  const char* udrExpression = nullptr;

  const char* Expression(bool udr) const {
    return udr && udrExpression != nullptr ? udrExpression : expression;
  }
};
const std::vector<FunctionUse>& HostileUses();

}  // namespace udfzel_test
