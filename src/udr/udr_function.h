// One UDR function of the library, built from its kinds: the factory
// declares the message types, and each call reads the input message into
// the same argument values the legacy entry point receives, calls the
// same code, and writes its result into the output message. Any NULL
// argument gives NULL without a call.
#pragma once

#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "frame/convert_error.h"
#include "frame/text_buffer.h"
#include "list/function_kinds.h"
#include "results/result_text.h"
#include "udr/message_layout.h"
#include "udr/udr_blob.h"
#include "udr/udr_status.h"

namespace udfzel::udr {

// An argument as the legacy code takes it, read from its message field.
template <ArgKind K>
class Argument;

template <std::size_t Size>
class TextArgument {
 public:
  TextArgument(Status*, ::Firebird::IExternalContext*, const unsigned char* field) {
    ISC_USHORT length = 0;
    std::memcpy(&length, field, sizeof length);
    if (length > Size) length = Size;
    std::memcpy(text_, field + sizeof length, length);
    text_[length] = '\0';
  }
  char* get() { return text_; }

 private:
  char text_[Size + 1];
};

template <>
class Argument<ArgKind::Text> : public TextArgument<kTextSize> {
  using TextArgument::TextArgument;
};
template <>
class Argument<ArgKind::Picture> : public TextArgument<kPictureSize> {
  using TextArgument::TextArgument;
};

template <class T>
class ValueArgument {
 public:
  ValueArgument(Status*, ::Firebird::IExternalContext*, const unsigned char* field) {
    std::memcpy(&value_, field, sizeof value_);
  }
  T* get() { return &value_; }

 private:
  T value_;
};

template <>
class Argument<ArgKind::Int32> : public ValueArgument<ISC_LONG> {
  using ValueArgument::ValueArgument;
};
template <>
class Argument<ArgKind::Int64> : public ValueArgument<ISC_INT64> {
  using ValueArgument::ValueArgument;
};
template <>
class Argument<ArgKind::Double> : public ValueArgument<double> {
  using ValueArgument::ValueArgument;
};
// A TIMESTAMP field has the layout of the record the legacy code reads.
template <>
class Argument<ArgKind::Timestamp> : public ValueArgument<ISC_QUAD> {
  using ValueArgument::ValueArgument;
};

template <>
class Argument<ArgKind::Blob> {
 public:
  Argument(Status* status, ::Firebird::IExternalContext* context, const unsigned char* field)
      : reader_(status, context, ReadId(field)) {}
  BLOBCALLBACK get() { return reader_.record(); }
  void AfterCall() { reader_.ThrowIfFailed(); }

 private:
  static ISC_QUAD ReadId(const unsigned char* field) {
    ISC_QUAD id;
    std::memcpy(&id, field, sizeof id);
    return id;
  }
  BlobReader reader_;
};

template <class A>
void AfterCall(A& argument) {
  if constexpr (requires { argument.AfterCall(); }) argument.AfterCall();
}

// Writes a text into a VARCHAR field of `capacity` bytes. A longer text is
// the server's string truncation error, never a silent cut.
inline void WriteText(unsigned char* field, unsigned capacity, const char* text,
                      std::size_t length) {
  if (length > capacity) throw results::ResultTooLong();
  const auto count = static_cast<ISC_USHORT>(length);
  std::memcpy(field, &count, sizeof count);
  std::memcpy(field + sizeof count, text, count);
}

template <class T>
void WriteValue(unsigned char* field, const T& value) {
  std::memcpy(field, &value, sizeof value);
}

// The messages of one routine. Texts are as long as the routine declares
// them, up to their kind's limit: the server's work per call grows with the
// declared length, so a narrow declaration is a cheap one.
template <std::size_t N>
struct RoutineLayout {
  std::array<FieldType, N> inputTypes{};
  MessageLayout<N> input;
  FieldType resultType{};
  MessageLayout<1> output;
  // Declared 'udfzel!F_...!legacy': a NULL argument reaches the function as
  // the legacy face receives it (an empty text, 0, the zero timestamp, no
  // blob), and a library error gives the legacy neutral result (NULL), so
  // that SQL written against the legacy declarations keeps its results.
  bool legacyCompatible = false;
  // The entry point's name (static storage), for the server's messages.
  const char* name = "";
};

template <std::size_t N>
constexpr RoutineLayout<N> MakeLayout(const std::array<FieldType, N>& inputs, FieldType result) {
  return {inputs, LayoutOf(inputs), result, LayoutOf(std::array<FieldType, 1>{result})};
}

// A server object the face obtained, released on every path.
template <class T>
class Owned {
 public:
  explicit Owned(T* object) : object_(object) {}
  ~Owned() {
    if (object_ != nullptr) object_->release();
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  T* get() const { return object_; }

 private:
  T* object_;
};

// A field of `kind`'s type, narrowed to a text's declared length.
FieldType FitToDeclared(Status* status, ::Firebird::IMessageMetadata* declared, unsigned index,
                        FieldType kind);
void CheckDeclaredCount(Status* status, const char* name, ::Firebird::IRoutineMetadata* metadata,
                        std::size_t inputs);
// Whether the declaration asks for the legacy-compatible mode; an unknown
// mode fails the declaration.
bool LegacyCompatible(Status* status, const char* name, ::Firebird::IRoutineMetadata* metadata);

template <std::size_t N>
RoutineLayout<N> DeclaredLayout(Status* status, const char* name,
                                ::Firebird::IRoutineMetadata* metadata,
                                std::array<FieldType, N> inputs, FieldType result) {
  CheckDeclaredCount(status, name, metadata, N);
  const Owned<::Firebird::IMessageMetadata> in(metadata->getInputMetadata(status));
  const Owned<::Firebird::IMessageMetadata> out(metadata->getOutputMetadata(status));
  for (unsigned i = 0; i < N; ++i) inputs[i] = FitToDeclared(status, in.get(), i, inputs[i]);
  result = FitToDeclared(status, out.get(), 0, result);
  RoutineLayout<N> layout = MakeLayout(inputs, result);
  layout.name = name;
  layout.legacyCompatible = LegacyCompatible(status, name, metadata);
  return layout;
}

// The function `Entry` of result kind R and argument kinds A..., which takes
// the legacy entry point's arguments (for a NewText result, its producer,
// which writes into a TextBuffer).
template <ResultKind R, auto Entry, ArgKind... A>
struct Binding {
  static constexpr ResultKind kResult = R;
  static constexpr std::array<ArgKind, sizeof...(A)> kArgs{A...};
  static constexpr std::size_t kInputs =
      R == ResultKind::BlobArgument ? sizeof...(A) - 1 : sizeof...(A);
  using Layout = RoutineLayout<kInputs>;

  // Every text at its kind's limit.
  static constexpr Layout FullLayout() {
    std::array<FieldType, kInputs> types{};
    for (std::size_t i = 0; i < kInputs; ++i) types[i] = InputField(kArgs[i]);
    return MakeLayout(types, ResultField(R));
  }

  static Layout Declared(Status* status, const char* name, ::Firebird::IRoutineMetadata* metadata) {
    const Layout full = FullLayout();
    return DeclaredLayout(status, name, metadata, full.inputTypes, full.resultType);
  }

  static void Execute(const Layout& layout, Status* status, ::Firebird::IExternalContext* context,
                      const unsigned char* in, unsigned char* out) {
    auto* outNull = out + layout.output.fields[0].nullOffset;
    // Where each argument is read from: its field, or for a NULL in the
    // legacy-compatible mode a field of zero bytes, which every kind reads
    // as the legacy face's value for NULL.
    static constexpr unsigned char kZeroField[sizeof(ISC_QUAD)] = {};
    std::array<const unsigned char*, kInputs> fields{};
    for (std::size_t i = 0; i < kInputs; ++i) {
      ISC_SHORT isNull = 0;
      std::memcpy(&isNull, in + layout.input.fields[i].nullOffset, sizeof isNull);
      if (isNull != 0 && !layout.legacyCompatible) {
        WriteValue<ISC_SHORT>(outNull, -1);
        return;
      }
      fields[i] = isNull != 0 ? kZeroField : in + layout.input.fields[i].offset;
    }
    WriteValue<ISC_SHORT>(outNull, 0);
    ReadArguments<0>(layout, status, context, fields, out);
  }

 private:
  // Reads argument I onwards, each alive on the stack until the call returns.
  template <std::size_t I, class... P>
  static void ReadArguments(const Layout& layout, Status* status,
                            ::Firebird::IExternalContext* context,
                            const std::array<const unsigned char*, kInputs>& fields,
                            unsigned char* out, P... values) {
    if constexpr (I == kInputs) {
      CallAndWrite(layout, status, context, out, values...);
    } else {
      Argument<kArgs[I]> argument(status, context, fields[I]);
      ReadArguments<I + 1>(layout, status, context, fields, out, values..., argument.get());
      AfterCall(argument);
    }
  }

  // A producer's text; in the legacy-compatible mode what the legacy face
  // answers with NULL is SQL NULL (false) here too: a library error, a text
  // the producer could not make whole (a blob longer than any text result).
  template <class... P>
  static bool Produce(const Layout& layout, TextBuffer& text, P... values) {
    if (!layout.legacyCompatible) return Entry(text, values...);
    try {
      return Entry(text, values...);
    } catch (const EConvertError&) {
      return false;
    } catch (const results::ResultTooLong&) {
      return false;
    }
  }

  template <class... P>
  static void CallAndWrite(const Layout& layout, Status* status,
                           ::Firebird::IExternalContext* context, unsigned char* out, P... values) {
    unsigned char* field = out + layout.output.fields[0].offset;
    unsigned char* isNull = out + layout.output.fields[0].nullOffset;
    const unsigned capacity = layout.resultType.length;
    if constexpr (R == ResultKind::Int32Value || R == ResultKind::Int64Value ||
                  R == ResultKind::DoubleValue) {
      const auto value = Entry(values...);
      if constexpr (R == ResultKind::DoubleValue) {
        if (!std::isfinite(value)) {
          SetNonFiniteError(status, layout.name, std::isnan(value));
          return;
        }
      }
      WriteValue(field, value);
    } else if constexpr (R == ResultKind::TextInArgument) {
      const char* text = Entry(values...);
      if (text == nullptr) {
        WriteValue<ISC_SHORT>(isNull, -1);
      } else {
        WriteText(field, capacity, text, std::strlen(text));
      }
    } else if constexpr (R == ResultKind::NewText) {
      FixedText<results::kCapacity> text;
      if (Produce(layout, text, values...)) {
        // As a legacy result, the text ends at its first zero byte.
        WriteText(field, capacity, text.c_str(), strnlen(text.c_str(), text.size()));
      } else {
        WriteValue<ISC_SHORT>(isNull, -1);
      }
    } else if constexpr (R == ResultKind::TimestampArgument) {
      const ISC_QUAD* stamp = Entry(values...);
      if (stamp == nullptr) {
        WriteValue<ISC_SHORT>(isNull, -1);
      } else {
        WriteValue(field, *stamp);
      }
    } else if constexpr (R == ResultKind::BlobArgument) {
      BlobWriter writer(status, context);
      Entry(values..., writer.record());
      WriteValue(field, writer.Finish(status));
    }
  }
};

void SetRoutineCharSet(char* name, unsigned size);
void DeclareField(Status* status, ::Firebird::IMetadataBuilder* builder, unsigned index,
                  FieldType type);
void CheckLayout(Status* status, const char* name, ::Firebird::IMetadataBuilder* builder,
                 const FieldPlace* fields, std::size_t count, unsigned length);

// Declares a routine's messages to the server as `layout` reads them, and
// checks that the server lays them out the same way.
template <std::size_t N>
void SetUpMessages(Status* status, const char* name, const RoutineLayout<N>& layout,
                   ::Firebird::IMetadataBuilder* in, ::Firebird::IMetadataBuilder* out) {
  for (unsigned i = 0; i < N; ++i) DeclareField(status, in, i, layout.inputTypes[i]);
  DeclareField(status, out, 0, layout.resultType);
  CheckLayout(status, name, in, layout.input.fields.data(), N, layout.input.length);
  CheckLayout(status, name, out, layout.output.fields.data(), 1, layout.output.length);
}

// A function object of the server: one per routine and attachment, holding
// the routine's layout.
template <class B>
class Function : public ::Firebird::IExternalFunctionImpl<Function<B>, Status> {
 public:
  explicit Function(const typename B::Layout& layout) : layout_(layout) {}
  void dispose() override { delete this; }
  // The routine works in the loaded locale's code page, whatever the
  // connection's character set: the server transliterates to and from it.
  void getCharSet(Status*, ::Firebird::IExternalContext*, char* name, unsigned size) override {
    SetRoutineCharSet(name, size);
  }
  void execute(Status* status, ::Firebird::IExternalContext* context, void* in,
               void* out) override {
    GuardedUdrCall(status, [&] {
      B::Execute(layout_, status, context, static_cast<const unsigned char*>(in),
                 static_cast<unsigned char*>(out));
    });
  }

 private:
  const typename B::Layout layout_;
};

template <class B>
class Factory : public ::Firebird::IUdrFunctionFactoryImpl<Factory<B>, Status> {
 public:
  explicit Factory(const char* name) : name_(name) {
    ::Firebird::Udr::FactoryRegistration::schedule<::Firebird::IUdrFunctionFactory>(
        name, this, &::Firebird::Udr::regFunctions);
  }
  void dispose() override {}  // static instances
  void setup(Status* status, ::Firebird::IExternalContext*, ::Firebird::IRoutineMetadata* metadata,
             ::Firebird::IMetadataBuilder* in, ::Firebird::IMetadataBuilder* out) override {
    SetUpMessages(status, name_, B::Declared(status, name_, metadata), in, out);
  }
  ::Firebird::IExternalFunction* newItem(Status* status, ::Firebird::IExternalContext*,
                                         ::Firebird::IRoutineMetadata* metadata) override {
    return new Function<B>(B::Declared(status, name_, metadata));
  }

 private:
  const char* name_;
};

}  // namespace udfzel::udr
