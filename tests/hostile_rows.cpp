#include "hostile_rows.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "input_decoder.h"

namespace udfzel_test {

void FillHostileRows(fbtest::FbSession& db, const std::string& path) {
  db.Execute(
      "create table hostile (id integer, t varchar(255) character set win1252,"
      " a integer, b integer, p varchar(255) character set win1252, x double precision,"
      " i bigint, j bigint, ts timestamp, bl blob sub_type text character set win1252)");
  db.Commit();
  // WIN1252 on both sides: the bytes arrive untouched.
  auto bytesDb = fbtest::FbSession::Attach(path, "WIN1252");
  for (int id = 0; id < kHostileRows; ++id) {
    const std::string bytes = udfzel_fuzz::PseudoRandomBytes(static_cast<std::uint64_t>(id), 300);
    udfzel_fuzz::InputDecoder in(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const std::string text = in.Text();
    const std::string a = std::to_string(in.Int32());
    const std::string b = std::to_string(in.Int32());
    const std::string picture = in.Text();
    // The server's DOUBLE PRECISION takes no infinity, NaN, or text
    // beyond about 1e±290 (its text conversion refuses 1.4e-297): those rows get 0.
    double value = in.Double();
    if (!std::isfinite(value) || std::fabs(value) > 1e290 ||
        (value != 0 && std::fabs(value) < 1e-290)) {
      value = 0;
    }
    char x[32];
    std::snprintf(x, sizeof x, "%.17g", value);
    // Stored exactly as drawn, on every server: as significand times a power
    // of two, each converted exactly. (The servers' own text-to-double
    // conversion is not correctly rounded, and rounds differently on
    // different CPUs.)
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    const std::string significand =
        std::to_string(static_cast<std::int64_t>(std::ldexp(fraction, 53)));
    const std::string scale = std::to_string(value == 0 ? 0 : exponent - 53);
    // 64-bit operands from the halves of two int32 draws: extremes of both.
    const auto wide = [&] {
      const auto high = static_cast<std::uint32_t>(in.Int32());
      const auto low = static_cast<std::uint32_t>(in.Int32());
      return std::to_string(static_cast<std::int64_t>((std::uint64_t{high} << 32) | low));
    };
    const std::string i = wide();
    const std::string j = wide();
    // Any moment the server can store: 1 January 0001 to 31 December 9999.
    const auto seconds = static_cast<std::uint64_t>(static_cast<std::uint32_t>(in.Int32())) * 97 %
                         (3652059ull * 86400);
    const std::string ts =
        "dateadd(" + std::to_string(seconds) + " second to timestamp '0001-01-01 00:00:00')";
    try {
      bytesDb.Execute("insert into hostile values (?, ?, ?, ?, ?,"
                      " cast(cast(? as bigint) as double precision) * power(2e0, ?), ?, ?, " +
                          ts + ", cast(? as varchar(8000) character set win1252))",
                      {std::to_string(id), text, a, b, picture, significand, scale, i, j,
                       text + picture + std::string(static_cast<std::size_t>(id) * 25, 'z')});
    } catch (const fbtest::FbError& error) {
      throw fbtest::FbError("row " + std::to_string(id) + " (" + a + ", " + b + ", " + x +
                            "): " + error.what());
    }
  }
  bytesDb.Commit();
}

const std::vector<FunctionUse>& HostileUses() {
  static const std::vector<FunctionUse> uses = {
      {"F_StrLen", "f_strlen(t)"},
      {"F_Trim", "f_trim(t)"},
      {"F_LTrim", "f_ltrim(t)"},
      {"F_RTrim", "f_rtrim(t)"},
      {"F_StrLeft", "f_strleft(t, a)"},
      {"F_StrRight", "f_strright(t, a)"},
      {"F_SubStr", "f_substr(t, a, b)"},
      {"F_ProperCase", "f_propercase(t)"},
      {"F_ConStr", "f_constr(t)"},
      {"F_FormatMaskText", "f_formatmasktext(p, t)"},
      {"F_FormatFloat", "f_formatfloat(p, x)", "f_formatfloat(left(p, 224), x)"},
      {"F_Inc", "f_inc(a, b)"},
      {"F_Div", "f_div(i, j)"},
      {"F_Mod", "f_mod(i, j)"},
      {"F_DivNum", "f_divnum(x, a)"},
      {"F_Trunc", "f_trunc(x)"},
      {"F_Round", "f_round(x, mod(a, 40))"},
      {"F_Num", "f_num(x, mod(b, 40))"},
      {"F_Str", "f_str(x, mod(a, 300), mod(b, 300))"},
      {"F_StrZero", "f_strzero(x, mod(b, 300), mod(a, 40))"},
      {"F_FormatDateTime", "f_formatdatetime(p, ts)"},
      {"F_UltDia", "f_ultdia(ts)"},
      {"F_UltDiaMes", "f_ultdiames(ts)"},
      {"F_BlobMaxSeg", "f_blobmaxseg(bl)"},
      {"F_BlobSegCount", "f_blobsegcount(bl)"},
      {"F_BlobSize", "f_blobsize(bl)"},
      {"F_BlobToStr", "f_blobtostr(bl)"},
      {"F_StrToBlob", "cast(f_strtoblob(t) as varchar(255) character set win1252)"},
  };
  return uses;
}

}  // namespace udfzel_test
