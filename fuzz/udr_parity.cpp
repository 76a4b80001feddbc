#include "udr_parity.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

#include "frame/convert_error.h"
#include "legacy/blobfncs.h"
#include "legacy/numfncs.h"
#include "legacy/strfncs.h"
#include "legacy/timefncs.h"
#include "udr/udr_bindings.h"
#include "udr_call_status.h"
#include "udr_layouts.h"

namespace udfzel_fuzz {
namespace {

void (*callBefore)() = nullptr;
void (*callAfter)() = nullptr;

using udfzel::ArgKind;
using udfzel::ResultKind;
using Text = std::optional<std::string>;

// One decoded argument: written into a message field, and handed to the
// legacy entry point as a fresh copy (entry points may write into it).
template <ArgKind K>
struct Drawn;

template <ArgKind K>
requires(K == ArgKind::Text || K == ArgKind::Picture) struct Drawn<K> {
  explicit Drawn(InputDecoder& in) : text(in.Text()), copy(text.c_str(), text.size() + 1) {}
  void Put(unsigned char* field) const {
    const auto length = static_cast<ISC_USHORT>(text.size());
    std::memcpy(field, &length, sizeof length);
    std::memcpy(field + sizeof length, text.data(), text.size());
  }
  char* Legacy() { return copy.data(); }
  std::string text;
  std::string copy;
};

template <class T>
struct DrawnValue {
  void Put(unsigned char* field) const { std::memcpy(field, &value, sizeof value); }
  T* Legacy() {
    copy = value;
    return &copy;
  }
  T value;
  T copy{};
};

template <>
struct Drawn<ArgKind::Int32> : DrawnValue<ISC_LONG> {
  explicit Drawn(InputDecoder& in) : DrawnValue{in.Int32()} {}
};
template <>
struct Drawn<ArgKind::Int64> : DrawnValue<ISC_INT64> {
  explicit Drawn(InputDecoder& in) : DrawnValue{Wide(in)} {}
  static ISC_INT64 Wide(InputDecoder& in) {
    const auto high = static_cast<std::uint32_t>(in.Int32());
    const auto low = static_cast<std::uint32_t>(in.Int32());
    return static_cast<ISC_INT64>((std::uint64_t{high} << 32) | low);
  }
};
template <>
struct Drawn<ArgKind::Double> : DrawnValue<double> {
  explicit Drawn(InputDecoder& in) : DrawnValue{in.Double()} {}
};
template <>
struct Drawn<ArgKind::Timestamp> : DrawnValue<ISC_QUAD> {
  explicit Drawn(InputDecoder& in) : DrawnValue{Stamp(in)} {}
  static ISC_QUAD Stamp(InputDecoder& in) {
    ISC_QUAD quad;
    quad.gds_quad_high = in.Int32();
    // Times of day as the server stores them, now and then one beyond.
    quad.gds_quad_low = static_cast<ISC_ULONG>(in.Int32()) % 864010000u;
    return quad;
  }
};

std::string Bytes(const void* data, std::size_t size) {
  return std::string(static_cast<const char*>(data), size);
}

// What the legacy entry point gave back, rendered like the UDR result.
template <ResultKind R, class Value>
Text RenderLegacy(Value value) {
  if constexpr (R == ResultKind::TextInArgument || R == ResultKind::NewText) {
    if (value == nullptr) return std::nullopt;
    std::string text(value);
    if constexpr (R == ResultKind::NewText) std::free(value);
    // The declared result holds 32765 bytes.
    if (text.size() > udfzel::kTextSize) text.resize(udfzel::kTextSize);
    return text;
  } else if constexpr (R == ResultKind::TimestampArgument) {
    if (value == nullptr) return std::nullopt;
    return Bytes(value, sizeof(ISC_QUAD));
  } else {
    return Bytes(&value, sizeof value);
  }
}

template <ResultKind R>
Text RenderUdr(const unsigned char* out, udfzel::udr::FieldPlace place) {
  ISC_SHORT isNull = 0;
  std::memcpy(&isNull, out + place.nullOffset, sizeof isNull);
  if (isNull != 0) return std::nullopt;
  const unsigned char* field = out + place.offset;
  if constexpr (R == ResultKind::TextInArgument || R == ResultKind::NewText) {
    ISC_USHORT length = 0;
    std::memcpy(&length, field, sizeof length);
    return Bytes(field + sizeof length, length);
  } else {
    return Bytes(field, udfzel::udr::ResultField(R).length);
  }
}

std::string Show(const Text& text) {
  return text ? "'" + *text + "'" : "NULL";
}

using udfzel_fuzz::kFull;

// A message of the binding's layout, every argument not NULL.
template <class B>
std::vector<unsigned char> InputMessage() {
  return std::vector<unsigned char>(kFull<B>.input.length, 0);
}

template <class B, auto Legacy, std::size_t... I>
ParityOutcome Parity(InputDecoder& in, std::index_sequence<I...>) {
  // Braced initialisation decodes the arguments in order.
  std::tuple<Drawn<B::kArgs[I]>...> args{Drawn<B::kArgs[I]>(in)...};
  const auto legacyValue = Legacy(std::get<I>(args).Legacy()...);
  // A non-finite double: the server refuses it from the legacy face with
  // the error the UDR face raises itself.
  std::string refusal;
  if constexpr (B::kResult == ResultKind::DoubleValue) {
    if (!std::isfinite(legacyValue)) {
      refusal = "status " +
                std::to_string(std::isnan(legacyValue) ? isc_udf_fp_nan : isc_udf_fp_overflow);
    }
  }
  const Text legacy = RenderLegacy<B::kResult>(legacyValue);

  std::vector<unsigned char> message = InputMessage<B>();
  (std::get<I>(args).Put(message.data() + kFull<B>.input.fields[I].offset), ...);
  std::vector<unsigned char> out(kFull<B>.output.length, 0xEE);
  CallStatus status;
  if (callBefore != nullptr) callBefore();
  udfzel::udr::GuardedUdrCall(status.get(), [&] {
    B::Execute(kFull<B>, status.get(), nullptr, message.data(), out.data());
  });
  if (callAfter != nullptr) callAfter();
  if (const auto error = status.Error()) {
    // Only a library error may differ, where the legacy face gives NULL.
    if (!legacy && *error == "String de formato muito longa") return {"", error};
    if (!refusal.empty() && *error == refusal) return {"", error};
    return {"UDR error '" + *error + "', legacy " + Show(legacy), error};
  }
  if (!refusal.empty()) return {"UDR returned a non-finite double; legacy refused", std::nullopt};
  const Text udr = RenderUdr<B::kResult>(out.data(), kFull<B>.output.fields[0]);
  if (udr == legacy) return {};
  return {"UDR " + Show(udr) + ", legacy " + Show(legacy), std::nullopt};
}

template <class B>
std::string NullGivesNull(std::size_t position) {
  std::vector<unsigned char> message = InputMessage<B>();
  const ISC_SHORT isNull = -1;
  std::memcpy(message.data() + kFull<B>.input.fields[position].nullOffset, &isNull, sizeof isNull);
  std::vector<unsigned char> out(kFull<B>.output.length, 0xEE);
  CallStatus status;
  // A null context: a call that went on to open a blob would crash here.
  udfzel::udr::GuardedUdrCall(status.get(), [&] {
    B::Execute(kFull<B>, status.get(), nullptr, message.data(), out.data());
  });
  if (status.Error()) return "error " + *status.Error();
  ISC_SHORT outNull = 0;
  std::memcpy(&outNull, out.data() + kFull<B>.output.fields[0].nullOffset, sizeof outNull);
  return outNull != 0 ? "" : "result not NULL";
}

template <class B>
constexpr bool NeedsServer() {
  for (ArgKind kind : B::kArgs) {
    if (kind == ArgKind::Blob) return true;
  }
  return false;
}

template <class B, auto Legacy>
UdrCheck CheckOf(std::string_view entry) {
  ParityOutcome (*parity)(InputDecoder&) = nullptr;
  if constexpr (!NeedsServer<B>()) {
    parity = [](InputDecoder& in) {
      return Parity<B, Legacy>(in, std::make_index_sequence<B::kInputs>{});
    };
  }
  return {entry, NeedsServer<B>(), parity, &NullGivesNull<B>, B::kInputs, LayoutCheckOf(entry)};
}

}  // namespace

void SetUdrCallHooks(void (*before)(), void (*after)()) {
  callBefore = before;
  callAfter = after;
}

const std::vector<UdrCheck>& UdrChecks() {
  static const std::vector<UdrCheck> checks = {
#define UDFZEL_FUNCTION(entry, family, result, summary, ...) \
  CheckOf<udfzel::udr::bindings::entry, &::entry>(#entry),
#include "list/function_list.def"
#undef UDFZEL_FUNCTION
  };
  return checks;
}

}  // namespace udfzel_fuzz
