// No-op UDR functions: each takes the arguments of a udfzel function as the
// UDR face declares them and does the least a function of that shape must
// do: hand back its first argument (or an empty text, or 0), open and close
// a blob argument, create an empty blob for a blob result. A query through
// one costs the server's own work for a UDR call: the floor of the UDR face.
#include <array>
#include <cstring>

#include "function_kinds.h"
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
  static Layout Declared(Status* status, Firebird::IRoutineMetadata* metadata) {
    return udfzel::udr::DeclaredLayout(status, "no-op", metadata, kTypes,
                                       udfzel::udr::ResultField(R));
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

template <class N>
class NoopFunction : public Firebird::IExternalFunctionImpl<NoopFunction<N>, Status> {
 public:
  explicit NoopFunction(const typename N::Layout& layout) : layout_(layout) {}
  void dispose() { delete this; }
  void getCharSet(Status*, Firebird::IExternalContext*, char* name, unsigned size) {
    udfzel::udr::SetRoutineCharSet(name, size);
  }
  void execute(Status* status, Firebird::IExternalContext* context, void* in, void* out) {
    N::Execute(layout_, status, context, static_cast<const unsigned char*>(in),
               static_cast<unsigned char*>(out));
  }

 private:
  const typename N::Layout layout_;
};

template <class N>
class NoopFactory : public Firebird::IUdrFunctionFactoryImpl<NoopFactory<N>, Status> {
 public:
  explicit NoopFactory(const char* name) {
    Firebird::Udr::FactoryRegistration::schedule<Firebird::IUdrFunctionFactory>(
        name, this, &Firebird::Udr::regFunctions);
  }
  void dispose() {}
  void setup(Status* status, Firebird::IExternalContext*, Firebird::IRoutineMetadata* metadata,
             Firebird::IMetadataBuilder* in, Firebird::IMetadataBuilder* out) {
    udfzel::udr::SetUpMessages(status, "no-op", N::Declared(status, metadata), in, out);
  }
  Firebird::IExternalFunction* newItem(Status* status, Firebird::IExternalContext*,
                                       Firebird::IRoutineMetadata* metadata) {
    return new NoopFunction<N>(N::Declared(status, metadata));
  }
};

using enum ArgKind;
using enum ResultKind;

NoopFactory<Noop<TextInArgument, Text>> text{"N_Text"};
NoopFactory<Noop<TextInArgument, Text, Int32>> textInt{"N_TextInt"};
NoopFactory<Noop<TextInArgument, Text, Int32, Int32>> textIntInt{"N_TextIntInt"};
NoopFactory<Noop<Int32Value, Text>> textToInt{"N_TextToInt"};
NoopFactory<Noop<Int64Value, Int64, Int64>> int64Pair{"N_Int64Pair"};
NoopFactory<Noop<DoubleValue, Double, Int32>> doubleInt{"N_DoubleInt"};
NoopFactory<Noop<NewText, Double, Int32, Int32>> doubleIntIntText{"N_DoubleIntIntText"};
NoopFactory<Noop<NewText, Picture, Picture>> textText{"N_TextText"};
NoopFactory<Noop<Int32Value, Int32, Int32>> intPair{"N_IntPair"};
NoopFactory<Noop<DoubleValue, Double, Double>> doublePair{"N_DoublePair"};
NoopFactory<Noop<Int64Value, Double>> doubleToInt64{"N_DoubleToInt64"};
NoopFactory<Noop<Int32Value, Timestamp>> timestampInt{"N_TimestampInt"};
NoopFactory<Noop<BlobArgument, Text>> textBlob{"N_TextBlob"};
NoopFactory<Noop<Int32Value, Blob>> blob{"N_Blob"};
NoopFactory<Noop<NewText, Blob>> blobText{"N_BlobText"};
NoopFactory<Noop<TimestampArgument, Timestamp>> timestamp{"N_Timestamp"};
NoopFactory<Noop<NewText, Picture, Timestamp>> textTimestamp{"N_TextTimestamp"};
NoopFactory<Noop<NewText, Picture, Double>> textDouble{"N_TextDouble"};

}  // namespace
