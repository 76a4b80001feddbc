// Text built in storage the caller owns: the engines write into it without
// allocating. Writes beyond the capacity are dropped, so no engine can run
// past its buffer; each engine's output has a known bound below it.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace udfzel {

class TextBuffer {
 public:
  TextBuffer(char* storage, std::size_t capacity) : data_(storage), capacity_(capacity - 1) {
    data_[0] = '\0';
  }
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  void Put(char c) {
    if (size_ < capacity_) {
      data_[size_++] = c;
      data_[size_] = '\0';
    } else {
      dropped_ = true;
    }
  }
  void Append(std::string_view text) {
    const std::size_t room = capacity_ - size_;
    const std::size_t taken = text.size() < room ? text.size() : room;
    std::memcpy(data_ + size_, text.data(), taken);
    size_ += taken;
    data_[size_] = '\0';
    if (taken < text.size()) dropped_ = true;
  }
  void Clear() {
    size_ = 0;
    dropped_ = false;
    data_[0] = '\0';
  }

  std::size_t size() const { return size_; }
  // Whether a write was dropped for want of room.
  bool Truncated() const { return dropped_; }
  // Always zero-terminated.
  const char* c_str() const { return data_; }
  std::string_view view() const { return {data_, size_}; }

 private:
  char* data_;
  std::size_t capacity_;  // bytes of text, the zero byte not counted
  std::size_t size_ = 0;
  bool dropped_ = false;
};

// A TextBuffer with its own storage, for the stack.
template <std::size_t N>
class FixedText : public TextBuffer {
 public:
  FixedText() : TextBuffer(storage_, N) {}

 private:
  char storage_[N];
};

}  // namespace udfzel
