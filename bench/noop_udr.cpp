// No-op UDR functions: each takes the arguments of a udfzel function as the
// UDR face declares them and does the least a function of that shape must
// do: hand back its first argument (or an empty text, or 0), open and close
// a blob argument, create an empty blob for a blob result. A query through
// one costs the server's own work for a UDR call: the floor of the UDR face.
#include <array>
#include <cstring>

#include "list/function_kinds.h"
#include "udr/message_layout.h"
#include "udr/udr_function.h"

FB_UDR_IMPLEMENT_ENTRY_POINT

namespace {

using udfzel::ArgKind;
using udfzel::ResultKind;
using udfzel::udr::FieldType;
using udfzel::udr::Status;

template <ResultKind R, ArgKind... A>
struct Noop {
  static constexpr std::array<ArgKind, sizeof...(A)> kArgs{A...};
  static constexpr std::array<FieldType, sizeof...(A)> kTypes{udfzel::udr::InputField(A)...};
  using Layout = udfzel::udr::RoutineLayout<sizeof...(A)>;

  // Texts as long as declared, as the library's functions take them.
  static Layout Declared(Status* status, const char* name, Firebird::IRoutineMetadata* metadata) {
    return udfzel::udr::DeclaredLayout(status, name, metadata, kTypes, udfzel::udr::ResultField(R));
  }

  static void Execute(const Layout& layout, Status* status, Firebird::IExternalContext* context,
                      const unsigned char* in, unsigned char* out) {
    unsigned char* field = out + layout.output.fields[0].offset;
    std::memset(out + layout.output.fields[0].nullOffset, 0, sizeof(ISC_SHORT));
    const unsigned char* first = in + layout.input.fields[0].offset;
    if (kArgs[0] == ArgKind::Blob) {
      udfzel::udr::CallConnection connection(status, context);
      ISC_QUAD id;
      std::memcpy(&id, first, sizeof id);
      connection.attachment()
          ->openBlob(status, connection.transaction(), &id, 0, nullptr)
          ->close(status);
    }
    const FieldType result = layout.resultType;
    if constexpr (R == ResultKind::BlobArgument) {
      udfzel::udr::CallConnection connection(status, context);
      ISC_QUAD id{};
      connection.attachment()
          ->createBlob(status, connection.transaction(), &id, 0, nullptr)
          ->close(status);
      std::memcpy(field, &id, sizeof id);
    } else if (result.sqlType == SQL_VARYING) {
      ISC_USHORT length = 0;
      if (kTypes[0].sqlType == SQL_VARYING) std::memcpy(&length, first, sizeof length);
      if (length > result.length) length = static_cast<ISC_USHORT>(result.length);
      std::memcpy(field, &length, sizeof length);
      std::memcpy(field + sizeof length, first + sizeof length, length);
    } else if (kTypes[0].sqlType == result.sqlType) {
      std::memcpy(field, first, result.length);
    } else {
      std::memset(field, 0, result.length);
    }
  }
};

// Registered and called as the library's functions are, so the floor
// differs from them only in the work per call.
template <ResultKind R, ArgKind... A>
using NoopFactory = udfzel::udr::Factory<Noop<R, A...>>;

using enum ArgKind;
using enum ResultKind;

NoopFactory<TextInArgument, Text> text{"N_Text"};
NoopFactory<TextInArgument, Text, Int32> textInt{"N_TextInt"};
NoopFactory<TextInArgument, Text, Int32, Int32> textIntInt{"N_TextIntInt"};
NoopFactory<Int32Value, Text> textToInt{"N_TextToInt"};
NoopFactory<Int64Value, Int64, Int64> int64Pair{"N_Int64Pair"};
NoopFactory<DoubleValue, Double, Int32> doubleInt{"N_DoubleInt"};
NoopFactory<NewText, Double, Int32, Int32> doubleIntIntText{"N_DoubleIntIntText"};
NoopFactory<NewText, Picture, Picture> textText{"N_TextText"};
NoopFactory<Int32Value, Int32, Int32> intPair{"N_IntPair"};
NoopFactory<DoubleValue, Double, Double> doublePair{"N_DoublePair"};
NoopFactory<Int64Value, Double> doubleToInt64{"N_DoubleToInt64"};
NoopFactory<Int32Value, Timestamp> timestampInt{"N_TimestampInt"};
NoopFactory<BlobArgument, Text> textBlob{"N_TextBlob"};
NoopFactory<Int32Value, Blob> blob{"N_Blob"};
NoopFactory<NewText, Blob> blobText{"N_BlobText"};
NoopFactory<TimestampArgument, Timestamp> timestamp{"N_Timestamp"};
NoopFactory<NewText, Picture, Timestamp> textTimestamp{"N_TextTimestamp"};
NoopFactory<NewText, Picture, Double> textDouble{"N_TextDouble"};

}  // namespace
