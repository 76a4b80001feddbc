#include "engines/dates/date_picture.h"

#include "engines/numbers/decimal_digits.h"
#include "engines/text/ascii_case.h"

namespace udfzel {
namespace {

constexpr int kMaxDepth = 2;

// Bytes the character at `c` takes: two for a lead byte.
std::size_t CharacterSize(char c, const LocaleFormats& locale) {
  return locale.IsLeadByte(c) ? 2 : 1;
}

// Characters of a text, a two-byte character counting once.
std::size_t CharacterCount(std::string_view text, const LocaleFormats& locale) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); ++count) at += CharacterSize(text[at], locale);
  return count;
}

// Byte offset of character `index` (0-based).
std::size_t CharacterOffset(std::string_view text, std::size_t index, const LocaleFormats& locale) {
  std::size_t at = 0;
  for (; index > 0 && at < text.size(); --index) at += CharacterSize(text[at], locale);
  return std::min(at, text.size());
}

// One picture level: the caller's picture, or a standard picture it expands.
class Level {
 public:
  Level(std::string_view picture, DaySerial serial, const LocaleFormats& locale,
        const EraTable& eras, TextBuffer& out, int depth)
      : picture_(picture),
        serial_(serial),
        locale_(locale),
        eras_(eras),
        out_(out),
        depth_(depth) {}

  void Read() {
    while (at_ < picture_.size()) {
      const std::size_t start = at_++;
      const char starter = picture_[start];
      if (locale_.IsLeadByte(starter)) {
        // A two-byte character outside quotes is copied whole.
        if (at_ < picture_.size()) ++at_;
        previous_ = ' ';
        Append(picture_.substr(start, at_ - start));
        continue;
      }
      char token = AsciiUpper(starter);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && previous_ == 'H') token = 'N';
        previous_ = token;
      }
      Act(token, starter, start);
    }
  }

 private:
  // The length of the run of bytes equal to the starter; consumes it.
  int TakeRun(char starter) {
    int run = 1;
    while (at_ < picture_.size() && picture_[at_] == starter) ++run, ++at_;
    return run;
  }

  void Append(std::string_view text) { out_.Append(text); }
  void Append(char c) { out_.Put(c); }

  // Zeros go in front of a negative number's sign, as date pictures have
  // always written an era year below 1.
  void AppendNumber(std::int64_t value, int minDigits) { AppendDecimal(value, minDigits, out_); }

  // A name from a 1-based table; nothing for an index the table lacks
  // (dates before 1 January 0001).
  template <std::size_t N>
  void AppendName(const std::array<std::string, N>& names, int index) {
    if (index >= 1 && static_cast<std::size_t>(index) < N)
      Append(names[static_cast<std::size_t>(index)]);
  }

  const DecodedDate& Date() {
    if (!dateDecoded_) {
      date_ = DecodeDaySerial(serial_);
      dateDecoded_ = true;
    }
    return date_;
  }

  const DecodedTime& Time() {
    if (!timeDecoded_) {
      time_ = DecodeTimeOfDay(serial_);
      timeDecoded_ = true;
    }
    return time_;
  }

  // The weekday for the name tables; 0 (no name) before 1 January 0001,
  // where the weekday count goes on below 1 and then wraps to 1..7 again.
  int Weekday() { return Date().year == 0 ? 0 : WeekdayNumber(serial_); }

  void Expand(std::string_view standard) {
    if (depth_ >= kMaxDepth) return;
    Level(standard, serial_, locale_, eras_, out_, depth_ + 1).Read();
  }

  void Act(char token, char starter, std::size_t start) {
    switch (token) {
      case 'Y': {
        const int run = TakeRun(starter);
        if (run <= 2) {
          AppendNumber(Date().year % 100, 2);
        } else {
          AppendNumber(Date().year, 4);
        }
        break;
      }
      case 'M': {
        const int run = TakeRun(starter);
        if (run <= 2) {
          AppendNumber(Date().month, run);
        } else {
          AppendName(run == 3 ? locale_.MonthAbbreviations : locale_.MonthNames, Date().month);
        }
        break;
      }
      case 'N':
        AppendNumber(Time().minute, TakeRun(starter) == 1 ? 1 : 2);
        break;
      case 'D':
        Day(TakeRun(starter));
        break;
      case 'H':
        Hour(TakeRun(starter));
        break;
      case 'S':
        AppendNumber(Time().second, TakeRun(starter) == 1 ? 1 : 2);
        break;
      case 'Z': {
        const int run = TakeRun(starter);
        AppendNumber(Time().millisecond, run >= 3 ? 3 : run);
        break;
      }
      case 'T':
        Expand(TakeRun(starter) == 1 ? locale_.ShortTimePicture : locale_.LongTimePicture);
        break;
      case 'C':
        TakeRun(starter);
        DateAndTime();
        break;
      case 'G':
        EraName(TakeRun(starter));
        break;
      case 'E':
        EraYear(TakeRun(starter));
        break;
      case 'A':
        AmPm(starter, start);
        break;
      case '/':
        if (locale_.DateDelimiter != '\0') Append(locale_.DateDelimiter);
        break;
      case ':':
        if (locale_.TimeDelimiter != '\0') Append(locale_.TimeDelimiter);
        break;
      case '"':
      case '\'':
        Quoted(starter);
        break;
      default:
        Append(starter);
        break;
    }
  }

  void Day(int run) {
    switch (run) {
      case 1:
      case 2:
        AppendNumber(Date().day, run);
        break;
      case 3:
        AppendName(locale_.DayAbbreviations, Weekday());
        break;
      case 4:
        AppendName(locale_.DayNames, Weekday());
        break;
      case 5:
        Expand(locale_.ShortDatePicture);
        break;
      default:
        Expand(locale_.LongDatePicture);
        break;
    }
  }

  // Looks ahead for an AM/PM pattern before the next hour token.
  void LookAheadForTwelveHours() {
    bool quoted = false;
    for (std::size_t at = at_; at < picture_.size(); ++at) {
      const char c = picture_[at];
      if (locale_.IsLeadByte(c)) {
        ++at;
        continue;
      }
      if (c == '\'' || c == '"') {
        quoted = !quoted;
      } else if ((c == 'a' || c == 'A') && !quoted) {
        if (StartsWithNoCase(picture_, at, "AM/PM") || StartsWithNoCase(picture_, at, "A/P") ||
            StartsWithNoCase(picture_, at, "AMPM")) {
          twelveHour_ = true;
        }
        return;
      } else if (c == 'h' || c == 'H') {
        return;
      }
    }
  }

  void Hour(int run) {
    LookAheadForTwelveHours();
    int hour = Time().hour;
    if (twelveHour_) {
      if (hour == 0) {
        hour = 12;
      } else if (hour > 12) {
        hour -= 12;
      }
    }
    AppendNumber(hour, run == 1 ? 1 : 2);
  }

  void DateAndTime() {
    Expand(locale_.ShortDatePicture);
    const DecodedTime& time = Time();
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
      Append(' ');
      Expand(locale_.LongTimePicture);
    }
  }

  // The era of the date, or none for a date before 1 January 0001.
  const Era* DateEra() {
    const DecodedDate& date = Date();
    if (date.year == 0) return nullptr;
    return eras_.At(DaysFromCivil(date.year, date.month, date.day));
  }

  void EraName(int run) {
    const Era* era = DateEra();
    if (era == nullptr) return;
    const std::string_view name = era->Name();
    if (run != 1) {
      Append(name);
      return;
    }
    if (locale_.PrimaryLanguage == kLanguageJapanese) {  // the first character
      Append(name.substr(0, CharacterOffset(name, 1, locale_)));
    } else if (locale_.PrimaryLanguage == kLanguageChinese &&
               locale_.SubLanguage == kSubLanguageChineseTaiwan &&
               CharacterCount(name, locale_) == 4) {  // characters 3 and 4
      Append(name.substr(CharacterOffset(name, 2, locale_)));
    } else {
      Append(name);
    }
  }

  // The year within the era: in full, or its last two digits ("06"), of
  // which "e" drops a leading zero.
  void EraYear(int run) {
    const Era* era = DateEra();
    if (era == nullptr) return;
    const std::int64_t year = era->YearOf(Date().year);
    if (run >= 3 || year < 0) {
      AppendNumber(year, 1);
    } else {
      AppendNumber(year % 100, run == 1 ? 1 : 2);
    }
  }

  void AmPm(char starter, std::size_t start) {
    const bool morning = Time().hour < 12;
    if (StartsWithNoCase(picture_, start, "AM/PM")) {
      Append(picture_.substr(morning ? start : start + 3, 2));
      at_ = start + 5;
      twelveHour_ = true;
    } else if (StartsWithNoCase(picture_, start, "A/P")) {
      Append(picture_[morning ? start : start + 2]);
      at_ = start + 3;
      twelveHour_ = true;
    } else if (StartsWithNoCase(picture_, start, "AMPM")) {
      Append(morning ? locale_.AmText : locale_.PmText);
      at_ = start + 4;
      twelveHour_ = true;
    } else if (StartsWithNoCase(picture_, start, "AAAA")) {
      AppendName(locale_.DayNames, Weekday());
      at_ = start + 4;
    } else if (StartsWithNoCase(picture_, start, "AAA")) {
      AppendName(locale_.DayAbbreviations, Weekday());
      at_ = start + 3;
    } else {
      Append(starter);
    }
  }

  // Text up to the same quote again; two-byte characters are stepped over
  // whole while looking for it. No closing quote: the rest of the picture.
  void Quoted(char quote) {
    const std::size_t begin = at_;
    while (at_ < picture_.size() && picture_[at_] != quote) {
      at_ += CharacterSize(picture_[at_], locale_);
    }
    const std::size_t end = std::min(at_, picture_.size());
    Append(picture_.substr(begin, end - begin));
    if (at_ < picture_.size()) ++at_;
  }

  std::string_view picture_;
  DaySerial serial_;
  const LocaleFormats& locale_;
  const EraTable& eras_;
  TextBuffer& out_;
  int depth_;
  std::size_t at_ = 0;
  char previous_ = ' ';
  bool dateDecoded_ = false;
  bool timeDecoded_ = false;
  bool twelveHour_ = false;
  DecodedDate date_;
  DecodedTime time_;
};

}  // namespace

void FormatDatePicture(std::string_view picture, DaySerial serial, const LocaleFormats& locale,
                       const EraTable& eras, TextBuffer& out) {
  Level(picture.empty() ? std::string_view("C") : picture, serial, locale, eras, out, 1).Read();
}

}  // namespace udfzel
