// Text built in storage the caller owns: the engines write into it without
// allocating. Writes beyond the capacity are dropped, so no engine can run
// past its buffer; each engine's output has a known bound below it. A
// buffer that had to drop bytes says so, and how long the text would have
// been: a cut text is never a result (results/result_text.h).
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
      truncated_ = true;
    }
  }
  void Append(std::string_view text) {
    const std::size_t room = capacity_ - size_;
    const std::size_t taken = text.size() < room ? text.size() : room;
    std::memcpy(data_ + size_, text.data(), taken);
    size_ += taken;
    data_[size_] = '\0';
    if (taken < text.size()) truncated_ = true;
  }
  // Inserts `count` copies of c before byte `at` (at most size()).
  void Insert(std::size_t at, char c, std::size_t count = 1) {
    if (at > size_) at = size_;
    if (count > capacity_ - size_) {
      truncated_ = true;
      count = capacity_ - size_;
    }
    std::memmove(data_ + at + count, data_ + at, size_ - at);
    std::memset(data_ + at, c, count);
    size_ += count;
    data_[size_] = '\0';
  }
  // Removes `count` bytes from byte `at`.
  void Erase(std::size_t at, std::size_t count) {
    if (at >= size_) return;
    if (count > size_ - at) count = size_ - at;
    std::memmove(data_ + at, data_ + at + count, size_ - at - count);
    size_ -= count;
    data_[size_] = '\0';
  }
  // Position of the first c at or after `from`, or npos.
  std::size_t Find(char c, std::size_t from) const { return view().find(c, from); }

  void Clear() {
    size_ = 0;
    truncated_ = false;
    data_[0] = '\0';
  }

  std::size_t size() const { return size_; }
  // Whether a write was dropped for want of room.
  bool Truncated() const { return truncated_; }
  // Always zero-terminated.
  const char* c_str() const { return data_; }
  // For rewriting bytes in place; the size stays as it is.
  char* data() { return data_; }
  // Appends `count` bytes for the caller to fill and returns where they
  // start, or null (writing nothing) when there is not room for them all.
  char* Claim(std::size_t count) {
    if (count > capacity_ - size_) {
      truncated_ = true;
      return nullptr;
    }
    char* start = data_ + size_;
    size_ += count;
    data_[size_] = '\0';
    return start;
  }
  std::string_view view() const { return {data_, size_}; }

 private:
  char* data_;
  std::size_t capacity_;  // bytes of text, the zero byte not counted
  std::size_t size_ = 0;
  bool truncated_ = false;  // a write did not fit
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
