// The eras of the loaded locale's calendar as a table, read once at load:
// where each era begins, how its years count, and its name in the code page.
// The era tokens of a date picture compute from it with the library's one
// calendar (proleptic Gregorian), so a call allocates nothing and asks no
// one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace udfzel {

struct Era {
  std::int64_t firstDay = 0;  // days since 1970-01-01 of the era's first day
  std::int32_t yearOne = 1;   // the Gregorian year that is the era's year 1
  std::int8_t direction = 1;  // +1 years count up, -1 down (before R.O.C.)
  std::uint8_t nameLength = 0;
  char name[50] = {};  // in the code page

  std::string_view Name() const { return {name, nameLength}; }
  // Names the era by a text in the code page, or leaves it nameless when
  // there is none (the code page cannot hold the name) or it is too long:
  // the era tokens then write no name, the years all the same.
  void SetName(const std::optional<std::string>& codePageName);
  // The year within the era of a date in Gregorian year `year`.
  std::int64_t YearOf(std::int64_t year) const { return direction * (year - yearOne) + 1; }
};

class EraTable {
 public:
  static constexpr std::size_t kMaxEras = 256;

  // Appends an era that begins after the last one; false when full.
  bool Add(const Era& era);
  // The era of a day (days since 1970-01-01): the last that begins on or
  // before it, the first for a day before them all; null when empty.
  const Era* At(std::int64_t day) const;
  std::size_t size() const { return count_; }
  // The eras in the order they begin.
  std::span<const Era> Eras() const { return {eras_.data(), count_}; }

 private:
  std::array<Era, kMaxEras> eras_{};
  std::size_t count_ = 0;
};

// The Korean Tangun era: one era over every date, its year 1 in 2333 BC,
// named by `name` (in the code page).
EraTable TangunEras(const std::optional<std::string>& name);

}  // namespace udfzel
