// The status the server hands every UDR call, for calls made outside the
// server: it copies what it is given (vector and texts) into fixed storage,
// as the server's own status copies, and allocates nothing. No client
// library is needed, so the Windows build's tests use it too.
#pragma once

#include <firebird/Interface.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "udr/udr_status.h"

namespace udfzel_fuzz {

class StandaloneStatus final
    : public Firebird::IStatusImpl<StandaloneStatus, Firebird::CheckStatusWrapper> {
 public:
  StandaloneStatus() { init(); }

  // Clones (an exception's copy) are the only statuses on the heap.
  void dispose() override {
    if (cloned_) delete this;
  }
  void init() override {
    errors_.Clear();
    warnings_.Clear();
  }
  unsigned getState() const override {
    return (errors_.Empty() ? 0 : STATE_ERRORS) | (warnings_.Empty() ? 0 : STATE_WARNINGS);
  }
  void setErrors2(unsigned length, const intptr_t* value) override { errors_.Set(value, length); }
  void setWarnings2(unsigned length, const intptr_t* value) override {
    warnings_.Set(value, length);
  }
  void setErrors(const intptr_t* value) override { errors_.Set(value, Length(value)); }
  void setWarnings(const intptr_t* value) override { warnings_.Set(value, Length(value)); }
  const intptr_t* getErrors() const override { return errors_.items; }
  const intptr_t* getWarnings() const override { return warnings_.items; }
  IStatus* clone() const override {
    auto* copy = new StandaloneStatus;
    copy->cloned_ = true;
    copy->setErrors(getErrors());
    copy->setWarnings(getWarnings());
    return copy;
  }

 private:
  // Items up to isc_arg_end (which takes no argument).
  static unsigned Length(const intptr_t* value) {
    unsigned length = 0;
    while (value[length] != isc_arg_end) length += value[length] == isc_arg_cstring ? 3 : 2;
    return length;
  }

  struct Vector {
    static constexpr unsigned kItems = 40;
    static constexpr std::size_t kText = 2048;
    intptr_t items[kItems + 1];
    char text[kText];

    bool Empty() const { return items[1] == 0; }
    void Clear() {
      items[0] = isc_arg_gds;
      items[1] = 0;
      items[2] = isc_arg_end;
    }
    // Copies the vector, each text argument into `text` (cut to fit).
    void Set(const intptr_t* value, unsigned length) {
      unsigned out = 0;
      std::size_t used = 0;
      for (unsigned in = 0; in < length && out + 3 < kItems && used < kText;) {
        const intptr_t kind = value[in];
        std::size_t size = 0;
        const char* source = nullptr;
        if (kind == isc_arg_cstring) {
          size = static_cast<std::size_t>(value[in + 1]);
          source = reinterpret_cast<const char*>(value[in + 2]);
          in += 3;
        } else if (kind == isc_arg_string || kind == isc_arg_interpreted ||
                   kind == isc_arg_sql_state) {
          source = reinterpret_cast<const char*>(value[in + 1]);
          size = std::strlen(source);
          in += 2;
        } else {
          items[out++] = kind;
          items[out++] = value[in + 1];
          in += 2;
          continue;
        }
        size = std::min(size, kText - used - 1);
        std::memcpy(text + used, source, size);
        text[used + size] = '\0';
        items[out++] = kind == isc_arg_cstring ? isc_arg_string : kind;
        items[out++] = reinterpret_cast<intptr_t>(text + used);
        used += size + 1;
      }
      items[out] = isc_arg_end;
      if (out == 0) Clear();
    }
  };

  Vector errors_;
  Vector warnings_;
  bool cloned_ = false;
};

// One call's status, wrapped as the face's routines take it.
class CallStatus {
 public:
  CallStatus() : wrapper_(&status_) {}
  CallStatus(const CallStatus&) = delete;
  CallStatus& operator=(const CallStatus&) = delete;

  udfzel::udr::Status* get() { return &wrapper_; }
  // The error's text, or nothing when the call succeeded.
  std::optional<std::string> Error() const {
    if ((status_.getState() & Firebird::IStatus::STATE_ERRORS) == 0) return std::nullopt;
    const intptr_t* vector = status_.getErrors();
    if (vector[0] == isc_arg_gds && vector[1] == isc_random && vector[2] == isc_arg_string) {
      return std::string(reinterpret_cast<const char*>(vector[3]));
    }
    return "status " + std::to_string(vector[1]);
  }

 private:
  StandaloneStatus status_;
  udfzel::udr::Status wrapper_;
};

}  // namespace udfzel_fuzz
