// The Windows-1252 case tables, proper case and accent folding.
#include "engines/text/text_case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "locale/platform_locale.h"
#include "locale/load_locale_formats.h"

namespace {

using udfzel::LocaleFormats;

const LocaleFormats& Fallback() {
  static const LocaleFormats formats = udfzel::LoadLocaleFormats(*udfzel::NamedLocaleSource("C"));
  return formats;
}

// Exactly the pairs of Windows-1252: a-z, E0-FE less F7, 9A/8A, 9C/8C,
// 9E/8E, FF/9F; every other byte maps to itself (DF, B5, AA, BA included).
TEST(CaseTables, Windows1252Exactly) {
  std::vector<std::pair<int, int>> pairs;  // lower, upper
  for (int c = 'a'; c <= 'z'; ++c) pairs.emplace_back(c, c - 32);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) pairs.emplace_back(c, c - 32);
  }
  pairs.insert(pairs.end(), {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}});
  std::array<int, 256> lower{};
  std::array<int, 256> upper{};
  for (int b = 0; b < 256; ++b) lower[static_cast<std::size_t>(b)] = upper[static_cast<std::size_t>(b)] = b;
  for (const auto& [l, u] : pairs) {
    upper[static_cast<std::size_t>(l)] = u;
    lower[static_cast<std::size_t>(u)] = l;
  }
  const LocaleFormats& f = Fallback();
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<char>(b);
    EXPECT_EQ(static_cast<unsigned char>(f.ToUpper(c)), upper[static_cast<std::size_t>(b)]) << std::hex << b;
    EXPECT_EQ(static_cast<unsigned char>(f.ToLower(c)), lower[static_cast<std::size_t>(b)]) << std::hex << b;
  }
}

std::string Proper(std::string text, const LocaleFormats& f = Fallback()) {
  udfzel::ProperCaseInPlace(text.data(), text.size(), f);
  return text;
}

std::string Folded(std::string text, const LocaleFormats& f = Fallback()) {
  udfzel::FoldAccentsUpperInPlace(text.data(), text.size(), f);
  return text;
}

TEST(ProperCase, PortugueseNames) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"JO\xc3O DA SILVA", "Jo\xe3o da Silva"},
      {"maria dos santos", "Maria dos Santos"},
      {"de souza", "de Souza"},
      {"pedro ii", "Pedro II"},
      {"comercial ltda me", "Comercial Ltda ME"},
      {"pedro iii", "Pedro Iii"},
      {"d'avila", "D'Avila"},
      {"o'neil", "O'Neil"},
      {"av. brasil", "Av. Brasil"},
      {"a/c", "A/C"},
      {"j.r.", "J.R."},
      {"ana-maria", "Ana-maria"},
      {"2a via", "2a Via"},
      {"  ana", "  Ana"},
      {"DOS", "dos"},
      {"ME", "ME"},
      {"DAS NEVES", "das Neves"},
      {"da!de", "da!de"},             // the key is a run inside the particle list
      {"x  y", "X  Y"},
      {"\xc9RICA \xc2NGELA", "\xc9rica \xc2ngela"},
      {"jos\xc9 d\xc1 silva", "Jos\xe9 D\xe1 Silva"},  // an accented "d\xe1" is no particle
      {"\tana", "\tana"},             // a tab is part of the word
      {".", "."},
      {"'", "'"},
      {"de/da/do", "de/da/do"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Proper(in), out) << in;
}

TEST(AccentFolding, UpperCaseWithoutAccents) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a\xe7\xe3o", "ACAO"},
      {"Concei\xe7\xe3o", "CONCEICAO"},
      {"S\xe3o Paulo", "SAO PAULO"},
      {"\xdc" "ber", "UBER"},
      {"\xcctalo", "ITALO"},
      {"p\xf4r-do-sol", "POR-DO-SOL"},
      {"ni\xf1o", "NI\xd1O"},
      {"\xc5ngstr\xf6m", "\xc5NGSTROM"},
      {"12, rua b", "12, RUA B"},
      {"\xff\xdf\xb5", "\x9f\xdf\xb5"},
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Folded(in), out) << in;
  // Every folded byte, in either case.
  std::string all;
  for (int b = 0xC0; b <= 0xFF; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Folded(all),
            "AAAAA\xc5\xc6" "CEEEEIIII\xd0\xd1OOOOO\xd7\xd8UUUU\xdd\xde\xdf"
            "AAAAA\xc5\xc6" "CEEEEIIII\xd0\xd1OOOOO\xf7\xd8UUUU\xdd\xde\x9f");
}

// In a two-byte code page the second byte of a character is no letter of
// its own: case mapping leaves it alone.
TEST(TextCase, TwoByteCharactersStayWhole) {
  LocaleFormats japanese = udfzel::LoadLocaleFormats(*udfzel::NamedLocaleSource("ja_JP"));
  ASSERT_TRUE(japanese.MultiByteLocale);
  const std::string text = "ab \x82\x61\x82\x62 \x83\x41";  // "ab ａｂ ア" in Shift-JIS
  EXPECT_EQ(Folded(text, japanese), "AB \x82\x61\x82\x62 \x83\x41");
  EXPECT_EQ(Proper("ab \x82\x61x", japanese), "Ab \x82\x61x");
}

}  // namespace
