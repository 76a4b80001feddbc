// The library's own month and day names (Brazilian Portuguese, UTF-8), used
// wherever the locale gives an empty name. Index 0 is unused.
#pragma once

namespace udfzel {

inline constexpr const char* kBuiltinMonthAbbreviations[13] = {
    "", "Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
inline constexpr const char* kBuiltinMonthNames[13] = {
    "",      "Janeiro",  "Fevereiro", "Março",   "Abril",    "Maio",    "Junho",
    "Julho", "Agosto",   "Setembro",  "Outubro", "Novembro", "Dezembro"};
inline constexpr const char* kBuiltinDayAbbreviations[8] = {"",    "Dom", "Seg", "Ter",
                                                            "Qua", "Qui", "Sex", "Sab"};
inline constexpr const char* kBuiltinDayNames[8] = {"",       "Domingo", "Segunda", "Terça",
                                                    "Quarta", "Quinta",  "Sexta",   "Sábado"};

}  // namespace udfzel
