// The udfzel showcase: creates a database in the embedded engine, declares
// the functions from sql/udfzel.sql, loads demo data and prints the result of
// every query in demo/showcase.sql as a table; then a second database with
// the UDR face (sql/udfzel_udr.sql, and the legacy face beside it as L_...)
// runs demo/showcase_udr.sql. Under a locale whose code page is not
// Windows-1252, both faces are declared by the scripts of its character set
// instead, and demo/showcase_locale.sql shows the locale's own texts.
//   udfzel_demo [DATABASE]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fbsession.h"
#include "frame/character_sets.h"
#include "locale/icu_locale_source.h"
#include "locale/load_locale_formats.h"
#include "script_text.h"

namespace {

using fbtest::ReadFile;
using fbtest::ReplaceAll;
using fbtest::WithFunctionPrefix;

struct Showcase {
  std::string title;
  std::string sql;
  bool expectsError = false;  // a "-- ! title": the query shows an SQL error
};

// Blocks of the showcase file: a "-- title" line, then one statement.
std::vector<Showcase> ReadShowcases(const std::string& path) {
  std::vector<Showcase> showcases;
  std::istringstream lines(ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("-- ! ", 0) == 0) {
      showcases.push_back({line.substr(5), "", true});
    } else if (line.rfind("-- ", 0) == 0) {
      showcases.push_back({line.substr(3), ""});
    } else if (!showcases.empty() && !line.empty()) {
      showcases.back().sql += line + "\n";
    }
  }
  for (Showcase& showcase : showcases) {
    const auto end = showcase.sql.find_last_of(';');
    if (end != std::string::npos) showcase.sql.erase(end);
  }
  return showcases;
}

// Control bytes shown as escapes, so blanks that a function keeps are visible.
std::string Visible(const fbtest::Value& value) {
  if (!value) return "<null>";
  std::string out;
  for (const char c : *value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
      out += "\\t";
    } else if (byte < 32) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

std::size_t DisplayWidth(const std::string& utf8) {
  std::size_t width = 0;
  for (const char c : utf8) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return width;
}

void PrintTable(const std::vector<std::string>& columns, const fbtest::Rows& rows) {
  std::vector<std::vector<std::string>> cells{columns};
  for (const auto& row : rows) {
    std::vector<std::string> shown;
    for (const auto& value : row) shown.push_back(Visible(value));
    cells.push_back(shown);
  }
  std::vector<std::size_t> widths(columns.size(), 0);
  for (const auto& line : cells) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      widths[i] = std::max(widths[i], DisplayWidth(line[i]));
    }
  }
  for (std::size_t r = 0; r < cells.size(); ++r) {
    std::string text;
    for (std::size_t i = 0; i < cells[r].size(); ++i) {
      text += (i == 0 ? "  " : " | ") + cells[r][i] +
              std::string(widths[i] - DisplayWidth(cells[r][i]), ' ');
    }
    std::cout << text << "\n";
    if (r == 0) {
      std::string rule;
      for (std::size_t i = 0; i < widths.size(); ++i) {
        rule += (i == 0 ? "  " : "-+-") + std::string(widths[i], '-');
      }
      std::cout << rule << "\n";
    }
  }
}

// The locale the module loads in this process, in one line.
void PrintLocale() {
  const auto source = udfzel::IcuLocaleSource::FromEnvironment();
  const auto f = udfzel::LoadLocaleFormats(source);
  const auto text = [&](const std::string& s) { return udfzel::CodePageToUtf8(s, f.CodePage); };
  std::cout << "locale " << (source.Known() ? source.Name() : "(none: fallbacks)")
            << ": decimal '" << text(std::string(1, f.DecimalMark)) << "', group '"
            << text(std::string(1, f.GroupSeparator)) << "', short date " << text(f.ShortDatePicture)
            << ", long date " << text(f.LongDatePicture) << ", time " << text(f.LongTimePicture)
            << ", March " << text(f.MonthNames[3]) << "\n";
}

void RunShowcases(fbtest::FbSession& db, const std::string& path) {
  for (const Showcase& showcase : ReadShowcases(path)) {
    std::cout << "\n== " << showcase.title << " ==\n";
    std::vector<std::string> columns;
    if (!showcase.expectsError) {
      PrintTable(columns, db.Query(showcase.sql, {}, &columns));
      continue;
    }
    try {
      db.Query(showcase.sql, {}, &columns);
    } catch (const fbtest::FbError& error) {
      std::cout << "  SQL error: " << ReplaceAll(error.what(), "\n", "\n             ") << "\n";
      continue;
    }
    throw std::runtime_error("expected an SQL error from: " + showcase.sql);
  }
}

fbtest::FbSession NewDatabase(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::filesystem::remove(path);
  return fbtest::FbSession::Create(path, "UTF8", "UTF8");
}

// Both faces declared in the loaded code page's character set, and the
// locale's own texts through them.
void RunInCharacterSet(const std::string& database, const std::string& charSet) {
  const std::string scripts = std::string(UDFZEL_CHARSET_SCRIPTS_DIR) + "/" + charSet;
  auto db = NewDatabase(database);
  db.ExecuteScript(ReadFile(scripts + "/udfzel_udr.sql"));
  db.ExecuteScript(WithFunctionPrefix(ReadFile(scripts + "/udfzel.sql"), "L_"));
  std::cout << "udfzel demo: database " << database << ", both faces declared in " << charSet
            << " (" << scripts << ")\n";
  PrintLocale();
  RunShowcases(db, std::string(UDFZEL_SOURCE_DIR) + "/demo/showcase_locale.sql");
}

void Run(const std::string& database) {
  const std::string charSet(udfzel::CharacterSetOf(
      udfzel::LoadLocaleFormats(udfzel::IcuLocaleSource::FromEnvironment()).CodePage).name);
  if (charSet != "WIN1252") {
    RunInCharacterSet(database, charSet);
    return;
  }
  const std::string source = UDFZEL_SOURCE_DIR;
  auto db = NewDatabase(database);
  db.ExecuteScript(ReadFile(source + "/sql/udfzel.sql"));
  db.ExecuteScript(ReadFile(source + "/demo/setup.sql"));
  std::cout << "udfzel demo: database " << database << ", functions from sql/udfzel.sql\n";
  PrintLocale();
  RunShowcases(db, source + "/demo/showcase.sql");

  const std::string udrDatabase = ReplaceAll(database, ".fdb", "-udr.fdb");
  auto udr = NewDatabase(udrDatabase);
  udr.ExecuteScript(ReadFile(source + "/sql/udfzel_udr.sql"));
  udr.ExecuteScript(WithFunctionPrefix(ReadFile(source + "/sql/udfzel.sql"), "L_"));
  udr.ExecuteScript(ReadFile(source + "/demo/setup.sql"));
  std::cout << "\n\nudfzel demo, UDR face: database " << udrDatabase
            << ", functions from sql/udfzel_udr.sql (legacy face beside it as L_...)\n";
  RunShowcases(udr, source + "/demo/showcase_udr.sql");
}

}  // namespace

int main(int argc, char** argv) {
  fbtest::UseConfigurationRoot(UDFZEL_FBROOT);
  const std::string database = argc > 1 ? argv[1] : UDFZEL_FBROOT "/../demo/udfzel-demo.fdb";
  try {
    Run(std::filesystem::weakly_canonical(database).string());
  } catch (const std::exception& error) {
    std::cerr << "udfzel demo failed: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
