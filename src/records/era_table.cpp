#include "records/era_table.h"

#include <algorithm>
#include <cstring>

#include "records/civil_date.h"

namespace udfzel {

void Era::SetName(const std::optional<std::string>& codePageName) {
  if (!codePageName || codePageName->size() > sizeof name) return;
  std::memcpy(name, codePageName->data(), codePageName->size());
  nameLength = static_cast<std::uint8_t>(codePageName->size());
}

EraTable TangunEras(const std::optional<std::string>& name) {
  EraTable table;
  Era era;
  era.firstDay = DaysFromCivil(1, 1, 1);
  era.yearOne = 1 - 2333;
  era.SetName(name);
  table.Add(era);
  return table;
}

bool EraTable::Add(const Era& era) {
  if (count_ == kMaxEras || (count_ > 0 && era.firstDay <= eras_[count_ - 1].firstDay)) {
    return false;
  }
  eras_[count_++] = era;
  return true;
}

const Era* EraTable::At(std::int64_t day) const {
  const std::span<const Era> eras = Eras();
  if (eras.empty()) return nullptr;
  const auto after = std::upper_bound(eras.begin(), eras.end(), day,
                                      [](std::int64_t d, const Era& e) { return d < e.firstDay; });
  return after == eras.begin() ? &eras.front() : &*(after - 1);
}

}  // namespace udfzel
