#include "bench/instrument_file.hpp"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace korvath::bench {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";

// splitmix64: fast, and the same sequence on every machine.
class Random {
 public:
  double between(double low, double high) {
    return low + (high - low) * static_cast<double>(next() >> 11) * 0x1.0p-53;
  }
  std::uint64_t below(std::uint64_t n) { return next() % n; }

 private:
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  std::uint64_t state_ = 20261206;
};

// The text of the file being generated, handed on to the sink a megabyte at a time.
class Records {
 public:
  Records(std::uint64_t bytes, const std::function<void(std::string_view)>& sink)
      : target_(bytes), sink_(sink) {
    text_.reserve(kChunk + 4096);
  }
  Records(const Records&) = delete;
  Records& operator=(const Records&) = delete;

  bool more() const { return written_ + text_.size() < target_; }
  Random& random() { return random_; }

  Records& put(std::string_view s) {
    text_.append(s);
    return *this;
  }
  Records& put(char c) {
    text_.push_back(c);
    return *this;
  }
  Records& fixed(double value, int decimals) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    return put(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
  }
  Records& number(std::uint64_t value, int width = 0) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    const auto length = static_cast<int>(end - buffer);
    for (int i = length; i < width; ++i) text_.push_back('0');
    return put(std::string_view(buffer, static_cast<std::size_t>(length)));
  }
  /// The characters put since the last line end.
  std::size_t line_length() const {
    const std::size_t end = text_.find_last_of('\n');
    return end == std::string::npos ? text_.size() : text_.size() - end - 1;
  }
  void end_line(std::string_view line_end) {
    text_.append(line_end);
    if (text_.size() >= kChunk) flush();
  }
  void finish() { flush(); }

 private:
  static constexpr std::size_t kChunk = 1 << 20;
  void flush() {
    if (text_.empty()) return;
    sink_(text_);
    written_ += text_.size();
    text_.clear();
  }

  std::uint64_t target_, written_ = 0;
  const std::function<void(std::string_view)>& sink_;
  std::string text_;
  Random random_;
};

// One measurement as the instrument reports it: grads, metres.
struct Shot {
  double horizontal, vertical, distance, target_height;
};

Shot shot(Random& r) {
  return {r.between(0, 399.9999), r.between(85, 115), r.between(2, 450),
          1.3 + 0.1 * static_cast<double>(r.below(5))};
}

double instrument_height(Random& r) {
  return r.between(1.45, 1.70);
}

// Detail points per set-up, and the running point number that continues across set-ups.
struct Survey {
  std::uint64_t station = 1, point = 1000;
  std::uint64_t points_at_this_station(Random& r) { return 30 + r.below(40); }
};

// What an observation aims at: stations are named "ST" and a number, detail points a number.
enum class Target { backsight, next_station, point };
std::string_view name_prefix(Target t) {
  return t == Target::point ? "" : "ST";
}

// The course of most downloads: a set-up, its backsight, the next station, then the detail
// points of the set-up; `set_up(station)` and `observe(target, number)` write the records.
template <typename SetUp, typename Observe>
void each_station(Records& out, SetUp set_up, Observe observe) {
  Survey s;
  while (out.more()) {
    set_up(s.station);
    observe(Target::backsight, s.station + 1000);
    observe(Target::next_station, ++s.station);
    for (auto n = s.points_at_this_station(out.random()); n > 0; --n)
      observe(Target::point, s.point++);
  }
}

// Wild TC 600: 16-character words "WI" + "0000" + sign + eight digits + blank.
void tc600_word(Records& out, std::string_view index, bool negative, std::uint64_t digits) {
  out.put(index).put("0000").put(negative ? '-' : '+').number(digits, 8).put(' ');
}

void tc600_observation(Records& out, std::uint64_t point, const Shot& s, Random& r) {
  tc600_word(out, "11", false, point);
  tc600_word(out, "21", false, std::llround(s.horizontal * 1e4) * 10 + r.below(10));
  tc600_word(out, "22", false, std::llround(s.vertical * 1e4) * 10 + r.below(10));
  tc600_word(out, "31", false, std::llround(s.distance * 1e3));
  tc600_word(out, "51", false, 0);
  tc600_word(out, "87", false, std::llround(s.target_height * 1e3));
  tc600_word(out, "88", false, 0);
  out.end_line(kCrLf);
}

void tc600_pair(Records& out, int code, std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  tc600_word(out, "41", true, static_cast<std::uint64_t>(code));
  tc600_word(out, "42", false, a);
  tc600_word(out, "43", false, b);
  tc600_word(out, "44", false, c);
  out.end_line(kCrLf);
}

void leica_tc600(Records& out) {
  Survey s;
  Random& r = out.random();
  while (out.more()) {
    const std::uint64_t station = s.station++;
    tc600_pair(out, 3, station, station + 1000, std::llround(instrument_height(r) * 100));
    tc600_observation(out, station + 1000, shot(r), r);
    tc600_pair(out, 2, s.station, 0, 0);
    tc600_observation(out, s.station, shot(r), r);
    for (auto n = s.points_at_this_station(r); n > 0; --n)
      tc600_observation(out, s.point++, shot(r), r);
    out.end_line(kCrLf);
  }
}

// Leica GSI-16: "*", then 24-character words "WI" + information + sign + sixteen digits.
void gsi16_word(Records& out, std::string_view head, std::uint64_t digits) {
  out.put(head).put('+').number(digits, 16).put(' ');
}

void leica_gsi(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put("*110001+").number(station, 16).put(' ');
    gsi16_word(out, "84..10", 1000000 + r.below(9000000));
    gsi16_word(out, "85..10", 1000000 + r.below(9000000));
    gsi16_word(out, "86..10", 50000 + r.below(450000));
    gsi16_word(out, "88..10", std::llround(instrument_height(r) * 1e3));
    out.end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    out.put("*110002+").number(name, 16).put(' ');
    gsi16_word(out, "21.322", std::llround(m.horizontal * 1e5));
    gsi16_word(out, "22.322", std::llround(m.vertical * 1e5));
    if (t != Target::point || r.below(50) != 0)  // now and then angles only
      gsi16_word(out, "31..00", std::llround(m.distance * 1e3));
    out.put("51..1.+00000008+0000000 ");
    gsi16_word(out, "87..10", std::llround(m.target_height * 1e3));
    out.put("71....+00000000000-----").end_line(kCrLf);
  };
  each_station(out, set_up, observe);
}

// Leica GSI-8 coordinates: 16-character words, the point name, then east, north and height.
void leica_gsi_coords(Records& out) {
  Survey s;
  Random& r = out.random();
  while (out.more()) {
    out.put("110001+").number(s.point++, 8).put(' ');
    tc600_word(out, "81", false, 1000000 + r.below(8000000));
    tc600_word(out, "82", false, 1000000 + r.below(8000000));
    tc600_word(out, "83", false, 50000 + r.below(450000));
    out.end_line(kCrLf);
  }
}

void leica_tcr307(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put("S   ST").number(station).put("   ").fixed(instrument_height(r), 3).end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    out.put("D  ").put(name_prefix(t)).number(name).put("  ").fixed(m.target_height, 3);
    out.put("  ").fixed(m.horizontal, 4);
    if (t != Target::point || r.below(50) != 0)  // now and then angles only
      out.put("  ").fixed(m.vertical, 4).put("  ").fixed(m.distance, 3);
    out.end_line(kCrLf);
  };
  each_station(out, set_up, observe);
}

void idx_header(Records& out) {
  out.put("HEADER").end_line(kCrLf);
  out.put("\tVERSION \"2.0\"").end_line(kCrLf);
  out.put("\tSYSTEM \"TCR407\"").end_line(kCrLf);
  out.put("END HEADER").end_line(kCrLf);
}

void leica_tcr407_idx(Records& out) {
  Survey s;
  Random& r = out.random();
  auto observe = [&](std::uint64_t row, std::string_view prefix, std::uint64_t name) {
    const Shot m = shot(r);
    out.put("\t\t\t").number(row).put(", \"").put(prefix).number(name).put("\", 1, ");
    out.fixed(m.horizontal, 4).put(", ").fixed(m.vertical, 4).put(", ").fixed(m.distance, 4);
    out.put(", ").fixed(m.target_height, 3).put(", \"06-12-2026\", 0, 1, 0").end_line(kCrLf);
  };
  idx_header(out);
  out.put("DATABASE").end_line(kCrLf);
  while (out.more()) {
    out.put("\tSETUP").end_line(kCrLf);
    out.put("\t\tSTN_NO ").number(s.station).end_line(kCrLf);
    out.put("\t\tSTNID \"ST").number(s.station).put('"').end_line(kCrLf);
    out.put("\t\tIHEIGHT").fixed(instrument_height(r), 4).put(" m;").end_line(kCrLf);
    out.put("\tEND SETUP").end_line(kCrLf);
    out.put("\tSLOPE(TgtNo, TgtID, CfgNo, Hz, Vz, SDist, RefHt, Date, Ppm, ApplyPPM, Flags)")
        .end_line(kCrLf);
    std::uint64_t row = 1;
    observe(row++, "ST", s.station + 1000);
    observe(row++, "ST", ++s.station);
    for (auto n = s.points_at_this_station(r); n > 0; --n) observe(row++, "", s.point++);
    out.put("\tEND SLOPE").end_line(kCrLf);
  }
  out.put("END DATABASE").end_line(kCrLf);
}

void leica_tcr407_mdt(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put('9').number(station, 9).put(' ').fixed(r.between(1000, 9000), 3).put(' ');
    out.fixed(r.between(1000, 9000), 3).put(' ').fixed(r.between(50, 500), 3).put(' ');
    out.fixed(instrument_height(r), 3).put(" 0 0 0 0").end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const bool backsight = t == Target::backsight;  // five values; observations seven
    const Shot m = shot(r);
    out.put(backsight ? '-' : '0').number(name, 9).put(' ').fixed(m.horizontal, 4).put(' ');
    out.fixed(m.vertical, 4).put(' ').fixed(m.distance, 3).put(' ').fixed(m.target_height, 3);
    out.put(backsight ? " 0" : " 0 0 0").end_line(kCrLf);
  };
  out.put("MDT TCR407 JOB01").end_line(kCrLf);
  each_station(out, set_up, observe);
}

void leica_tcr407_coords(Records& out) {
  Survey s;
  Random& r = out.random();
  idx_header(out);
  out.put("DATABASE").end_line(kCrLf);
  out.put("\tPOINTS(PointNo, PointID, East, North, Elevation, Code, Date, CLASS)").end_line(kCrLf);
  for (std::uint64_t row = 1; out.more(); ++row) {
    out.put("\t\t").number(row).put(", \"").number(s.point++).put("\", ");
    out.fixed(r.between(1000, 9000), 4).put(", ").fixed(r.between(1000, 9000), 4).put(", ");
    out.fixed(r.between(50, 500), 4).put(", \"TREE\", \"06-12-2026\", MEAS").end_line(kCrLf);
  }
  out.put("\tANNOTATIONS(PointNo, PointID, Text, A, B, C, D, E)").end_line(kCrLf);
  out.put("END DATABASE").end_line(kCrLf);
}

void nikon_dos(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put("*,ST").number(station).put(",ST").number(station + 1000).put(',');
    out.fixed(r.between(0, 399.9999), 4).put(',').fixed(instrument_height(r), 3).end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    out.put(name_prefix(t)).number(name).put(',').fixed(m.distance, 3).put(',');
    out.fixed(m.target_height, 3).put(',').fixed(m.vertical, 4).put(',').fixed(m.horizontal, 4);
    out.end_line(kCrLf);
  };
  each_station(out, set_up, observe);
}

void nikon_raw(Records& out) {
  Survey s;
  Random& r = out.random();
  auto measured = [&](const Shot& m) {
    out.put(',').fixed(m.target_height, 3).put(',').fixed(m.distance, 3).put(',');
    out.fixed(m.horizontal, 4).put(',').fixed(m.vertical, 4);
  };
  out.put("CO,Nikon RAW data format V2.00").end_line(kCrLf);
  out.put("CO,JOB01").end_line(kCrLf);
  while (out.more()) {
    const std::uint64_t backsight = s.station + 1000;
    out.put("ST,ST").number(s.station).put(",,ST").number(backsight).put(",,");
    out.fixed(instrument_height(r), 3).put(",0.0000,0.0000").end_line(kCrLf);
    out.put("F1,ST").number(backsight);
    measured(shot(r));
    out.put(",10:00:00").end_line(kCrLf);
    out.put("SS,ST").number(++s.station);
    measured(shot(r));
    out.put(",10:01:00,STN").end_line(kCrLf);
    for (auto n = s.points_at_this_station(r); n > 0; --n) {
      out.put("SS,").number(s.point++);
      measured(shot(r));
      out.put(",10:02:00,TREE").end_line(kCrLf);
      if (r.below(40) == 0) out.put("CO,Temp: 18C Press: 1013hPa").end_line(kCrLf);
    }
  }
}

void pentax_mes(Records& out) {
  Random& r = out.random();
  // A counter of three digits and a blank, the key, a blank, the value and a closing character
  // that the converter drops.
  std::uint64_t line = 1;
  auto keyed = [&](std::string_view key) -> Records& {
    return out.number(line++ % 1000, 3).put(' ').put(key).put(' ');
  };
  auto set_up = [&](std::uint64_t station) {
    keyed("STS").put("ST").number(station).put(';').end_line(kCrLf);
    keyed("INH").fixed(instrument_height(r), 3).put(';').end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    keyed("PPD").put(name_prefix(t)).number(name).put(';').end_line(kCrLf);
    keyed("PFH").fixed(m.target_height, 3).put(';').end_line(kCrLf);
    keyed("RTH").fixed(m.horizontal, 4).put(';').end_line(kCrLf);
    keyed("RTV").fixed(m.vertical, 4).put(';').end_line(kCrLf);
    keyed("RTD").fixed(m.distance, 3).put(';').end_line(kCrLf);
  };
  out.put("PENTAX PTS DOWNLOAD JOB01").end_line(kCrLf);
  each_station(out, set_up, observe);
}

void pentax_mes_traverse(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put("STS:ST").number(station).end_line(kCrLf);
    out.put("INH:").fixed(instrument_height(r), 3).end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    out.put("PPD:").put(name_prefix(t)).number(name).end_line(kCrLf);
    out.put("PFH:").fixed(m.target_height, 3).end_line(kCrLf);
    out.put("RTH:").fixed(m.horizontal, 4).end_line(kCrLf);
    out.put("RTV:").fixed(m.vertical, 4).end_line(kCrLf);
    out.put("RTD:").fixed(m.distance, 3).end_line(kCrLf);
  };
  out.put("JOB:TRAVERSE01").end_line(kCrLf);
  each_station(out, set_up, observe);
}

void pentax_cor(Records& out) {
  Survey s;
  Random& r = out.random();
  bool first = true;
  while (out.more()) {
    if (!first) out.end_line(kCrLf);  // no line end after the last record
    first = false;
    if (r.below(20) == 0) {
      out.put("ST").number(s.station++);
    } else {
      out.number(s.point++);
    }
    out.put(',').fixed(r.between(1000, 9000), 3).put(',').fixed(r.between(1000, 9000), 3);
    out.put(',').fixed(r.between(50, 500), 3).put(",TREE,1");
  }
}

void pentax_cor_traverse(Records& out) {
  Survey s;
  Random& r = out.random();
  out.put("TRAVERSE COORDINATES").end_line(kCrLf);
  out.put("JOB01").end_line(kCrLf);
  for (std::uint64_t row = 1; out.more(); ++row) {
    out.put("PT").number(row % 10000, 4).put("   ").number(s.point++).put(":  ");
    out.fixed(r.between(1000, 9000), 3).put(":  ").fixed(r.between(1000, 9000), 3).put(":  ");
    out.fixed(r.between(50, 500), 3).put(';').end_line(kCrLf);
  }
}

// SDR33: fields of 16 columns, names to the right and numbers to the left; degrees, E N Z.
void sdr_name(Records& out, std::string_view prefix, std::uint64_t number) {
  char digits[24];
  const auto length =
      static_cast<std::size_t>(std::to_chars(digits, digits + 24, number).ptr - digits);
  for (std::size_t i = prefix.size() + length; i < 16; ++i) out.put(' ');
  out.put(prefix).put(std::string_view(digits, length));
}

void sdr_number(Records& out, double value) {
  char text[32];
  const auto length = static_cast<std::size_t>(
      std::to_chars(text, text + 32, value, std::chars_format::fixed, 8).ptr - text);
  out.put(std::string_view(text, length));
  for (std::size_t i = length; i < 16; ++i) out.put(' ');
}

void sdr_header(Records& out) {
  out.put('\x02').end_line(kCrLf);
  out.put("00NMSDR33 V04-04.34     06-Dec-26 09:15 111121").end_line(kCrLf);
  out.put("10NMJOB01           121111").end_line(kCrLf);
}

void sokkia_sdr(Records& out) {
  Random& r = out.random();
  std::uint64_t occupied = 0;
  auto set_up = [&](std::uint64_t station) {
    occupied = station;
    out.put("02TP");
    sdr_name(out, "ST", station);
    sdr_number(out, r.between(1000, 9000));
    sdr_number(out, r.between(1000, 9000));
    sdr_number(out, r.between(50, 500));
    sdr_number(out, instrument_height(r));
    out.end_line(kCrLf);
    out.put("07TP");
    sdr_name(out, "ST", station);
    sdr_name(out, "ST", station + 1000);
    sdr_number(out, r.between(0, 359.9999));
    sdr_number(out, r.between(0, 359.9999));
    out.end_line(kCrLf);
    out.put("03NM");
    sdr_number(out, 1.5);
    out.end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    if (t == Target::backsight) return;  // named by the set-up's 07
    const Shot m = shot(r);
    out.put(r.below(10) == 0 ? "09F2" : "09F1");
    sdr_name(out, "ST", occupied);
    sdr_name(out, name_prefix(t), name);
    if (r.below(50) == 0) {
      out.put("                ");  // angles only
    } else {
      sdr_number(out, m.distance);
    }
    sdr_number(out, m.vertical * 0.9);
    sdr_number(out, m.horizontal * 0.9);
    out.end_line(kCrLf);
    if (r.below(40) == 0) out.put("13NMKerb line").end_line(kCrLf);
  };
  sdr_header(out);
  each_station(out, set_up, observe);
  out.put('\x03').put("0000").end_line(kCrLf);
}

void sokkia_sdr_coords(Records& out) {
  Survey s;
  Random& r = out.random();
  sdr_header(out);
  while (out.more()) {
    out.put("08KI");
    sdr_name(out, "", s.point++);
    sdr_number(out, r.between(1000, 9000));
    sdr_number(out, r.between(1000, 9000));
    sdr_number(out, r.between(50, 500));
    out.end_line(kCrLf);
  }
  out.put('\x03').put("0000").end_line(kCrLf);
}

void south_mes(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put("ST").number(station).put(' ').fixed(instrument_height(r), 3).end_line(kCrLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    out.put(name_prefix(t)).number(name).put(' ').fixed(m.target_height, 3).put(' ');
    out.fixed(m.horizontal, 4).put(' ').fixed(m.vertical, 4).put(' ');
    if (r.below(50) == 0) {
      out.put("**********");  // no distance measured
    } else {
      out.fixed(m.distance, 3);
    }
    out.put(" TREE").end_line(kCrLf);
  };
  each_station(out, set_up, observe);
}

void topcon_gts3000(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    out.put("1,ST").number(station).put(',').fixed(instrument_height(r), 3).end_line(kLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    out.put("2,").put(name_prefix(t)).number(name).put(',').fixed(m.horizontal, 4).put(',');
    out.fixed(m.vertical, 4).put(',').fixed(m.distance, 3).put(',');
    out.fixed(m.target_height, 3).end_line(kLf);
  };
  each_station(out, set_up, observe);
}

// Topcon raw records: the key in eight columns, the values from column 9.
void topcon_raw(Records& out, std::string_view line_end) {
  Survey s;
  Random& r = out.random();
  auto measure = [&] {
    const Shot m = shot(r);
    if (r.below(30) == 0) {
      out.put("HV      ").fixed(m.horizontal, 4).put(',').fixed(m.vertical, 4).end_line(line_end);
    } else {
      out.put("SD      ").fixed(m.horizontal, 4).put(',').fixed(m.vertical, 4).put(',');
      out.fixed(m.distance, 3).end_line(line_end);
    }
  };
  out.put("JOB     JOB01,06-12-2026").end_line(line_end);
  while (out.more()) {
    out.put("STN     ST").number(s.station).put(',').fixed(instrument_height(r), 3).put(",STN");
    out.end_line(line_end);
    out.put("BS      ST").number(s.station + 1000).put(',').fixed(1.5, 3).end_line(line_end);
    measure();
    out.put("SS      ST").number(++s.station).put(',').fixed(1.5, 3).put(",STN").end_line(line_end);
    measure();
    for (auto n = s.points_at_this_station(r); n > 0; --n) {
      out.put("SS      ").number(s.point++).put(',').fixed(shot(r).target_height, 3);
      out.put(",TREE").end_line(line_end);
      measure();
    }
  }
}

// FOIF job file: a header, then comma-closed records padded with blanks to 126 characters;
// angles in half arc-seconds, N E Z coordinates.
constexpr std::size_t kFoifLine = 126;

class FoifJob {
 public:
  explicit FoifJob(Records& out) : out_(out) {
    out_.put(" JOB01,356,358,9,10,23,15,38,53,0,0,6,0,10012,190,95,7,1,8,0,0,");
    end();
  }
  Records& begin(char letter) {
    out_.put(letter).put(',');
    return out_;
  }
  Records& half_seconds(double grads) { return out_.number(std::llround(grads * 6480)).put(','); }
  Records& coordinates(Random& r) {
    out_.fixed(r.between(205000, 206000), 4).put(',').fixed(r.between(603000, 604000), 4);
    return out_.put(',').fixed(r.between(100, 130), 4).put(',');
  }
  void shot(char letter, std::string_view prefix, std::uint64_t name, double target_height,
            const Shot& m, Random& r) {
    begin(letter).put(prefix).number(name).put(',');
    half_seconds(m.horizontal);
    half_seconds(m.vertical);
    out_.fixed(m.distance * 0.999, 4).put(',').fixed(m.distance, 4).put(',');
    out_.fixed(m.distance * 0.02, 4).put(',').fixed(target_height, 4).put(',');
    coordinates(r).put("0,1,9,10,23,15,41,20,0,");
    end();
  }
  // Pads the record to its width and ends it with CR LF.
  void end() {
    for (std::size_t n = out_.line_length(); n < kFoifLine; ++n) out_.put(' ');
    out_.end_line(kCrLf);
  }

 private:
  Records& out_;
};

void foif_set_up(FoifJob& job, Records& out, std::uint64_t station, std::uint64_t backsight,
                 double orientation) {
  Random& r = out.random();
  job.begin('A').put("ST").number(station).put(',');
  job.coordinates(r).fixed(instrument_height(r), 4).put(",1,9,10,23,15,39,32,");
  job.end();
  job.begin('B').put("ST").number(backsight).put(",------,");
  job.coordinates(r).put("0,1,9,10,23,15,40,59,");
  job.end();
  job.shot('C', "ST", backsight, 1.6, {orientation, 99.2, 42.9776, 1.6}, r);
  job.begin('D').put("ST").number(station).put(",ST").number(backsight).put(',');
  job.half_seconds(orientation).put("0,1,0,0,0,1,9,10,23,15,41,0,");
  job.end();
  job.begin('E').put("ST").number(backsight).put(",0,637270.5440,114.6708,1,9,10,23,15,41,0,");
  job.end();
}

void foif_mes(Records& out) {
  FoifJob job(out);
  Survey s;
  Random& r = out.random();
  while (out.more()) {
    const std::uint64_t backsight = s.station + 1000;
    foif_set_up(job, out, s.station, backsight, r.between(0, 399.9999));
    job.shot('F', "ST", backsight, 1.6, shot(r), r);
    job.shot('F', "ST", ++s.station, 1.6, shot(r), r);
    for (auto n = s.points_at_this_station(r); n > 0; --n) {
      if (r.below(3) == 0) {  // a code for the next shot
        job.begin('U').number(s.point).put(",TREE,------,------,------,------,------,------,");
        out.put("------,------,------,------,1,0,0,0,0,0,0,");
        job.end();
      }
      const Shot m = shot(r);
      job.shot('F', "", s.point++, m.target_height, m, r);
    }
  }
}

// A traverse job: set-ups and their backsights only, no observations.
void foif_cor(Records& out) {
  FoifJob job(out);
  Survey s;
  Random& r = out.random();
  while (out.more()) {
    foif_set_up(job, out, s.station + 1, s.station, r.between(0, 399.9999));
    ++s.station;
  }
}

// Topcon GTS-200 serial dump: "_'" set-ups and "_+" ... "_ ?" observations in one stream, cut
// into blocks of STX, 128 characters, 4 check characters and ETX, a line each, then EOT.
class SerialBlocks {
 public:
  explicit SerialBlocks(Records& out) : out_(out) {}
  void put(std::string_view text) {
    for (const char c : text) {
      if (filled_ == 0) out_.put('\x02');
      out_.put(c);
      if (++filled_ == 128) end_block();
    }
  }
  void finish() {  // the last block padded with blanks, as the instrument sends it
    if (filled_ > 0) {
      for (; filled_ < 128; ++filled_) out_.put(' ');
      end_block();
    }
    out_.put('\x04').end_line(kLf);
  }

 private:
  void end_block() {
    out_.number(blocks_++ % 10000, 4).put('\x03').end_line(kLf);
    filled_ = 0;
  }
  Records& out_;
  int filled_ = 0;
  std::uint64_t blocks_ = 0;
};

void topcon_gts200(Records& out) {
  Random& r = out.random();
  SerialBlocks blocks(out);
  std::string record;
  auto digits = [&](double value, int width) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::llround(value)).ptr;
    record.append(static_cast<std::size_t>(width - (end - buffer)), '0').append(buffer, end);
  };
  auto set_up = [&](std::uint64_t station) {
    record = "_'ST" + std::to_string(station) + "_(_)";
    char height[16];
    record.append(
        height,
        std::to_chars(height, height + 16, instrument_height(r), std::chars_format::fixed, 3).ptr);
    blocks.put(record);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    record = "_+" + std::string(name_prefix(t)) + std::to_string(name) + "_ ?+";
    digits(m.distance * 1000, 8);
    record += 'm';
    digits(m.vertical * 1e4, 7);
    record += '+';
    digits(m.horizontal * 1e4, 7);
    record += "g+";
    digits(m.distance * 990, 8);
    record += "t**+00+00100_*_,";
    char height[16];
    record.append(
        height,
        std::to_chars(height, height + 16, m.target_height, std::chars_format::fixed, 3).ptr);
    blocks.put(record);
  };
  each_station(out, set_up, observe);
  blocks.finish();
}

// Nikon DTM-300: "1 , 2 , MD , STATION-IH, X, Y" set-ups, "1 , 0 , MD , ..." shots in
// DDD.MMSS, LF line ends.
void nikon_dtm300(Records& out) {
  Random& r = out.random();
  auto dms = [&](double grads) {
    const double degrees = grads * 0.9;
    const auto seconds = static_cast<std::uint64_t>(degrees * 3600);
    out.number(seconds / 3600).put('.').number(seconds / 60 % 60, 2).number(seconds % 60, 2);
  };
  auto set_up = [&](std::uint64_t station) {
    out.put("1 , 2 , MD , ").number(station).put('-').fixed(instrument_height(r), 3);
    out.put(", ").fixed(r.between(1000, 5000), 3).put(", ").fixed(r.between(1000, 5000), 3);
    out.end_line(kLf);
  };
  auto observe = [&](Target, std::uint64_t name) {
    const Shot m = shot(r);
    out.put("1 , 0 , MD , ").number(name).put(" , ").fixed(m.distance, 3).put(" , ");
    dms(m.horizontal);
    out.put(" , ");
    dms(m.vertical);
    out.put(" , ").fixed(m.target_height, 3).end_line(kLf);
  };
  each_station(out, set_up, observe);
}

// Geodimeter labels, one "label=value" a line.
Records& label(Records& out, std::string_view number) {
  return out.put(number).put('=');
}

// An angle in DDD.MMSS, as label 23=2112 declares: whole degrees, then two digits of minutes
// and two of seconds.
Records& dms(Records& out, Random& r, std::uint64_t degrees) {
  return out.number(r.below(degrees)).put('.').number(r.below(60), 2).number(r.below(60), 2);
}

void geodimeter(Records& out) {
  Random& r = out.random();
  auto set_up = [&](std::uint64_t station) {
    label(out, "2").put("ST").number(station).end_line(kLf);
    label(out, "23").put("2112").end_line(kLf);
    label(out, "3").fixed(instrument_height(r), 3).end_line(kLf);
  };
  auto observe = [&](Target t, std::uint64_t name) {
    const Shot m = shot(r);
    label(out, "5").put(name_prefix(t)).number(name).end_line(kLf);
    label(out, "6").fixed(m.target_height, 3).end_line(kLf);
    if (r.below(4) == 0) {  // both faces now and then
      dms(label(out, "24"), r, 360).end_line(kLf);
      dms(label(out, "17"), r, 360).end_line(kLf);
    } else {
      dms(label(out, "7"), r, 360).end_line(kLf);
    }
    dms(label(out, "8"), r, 180).end_line(kLf);
    if (r.below(50) == 0) {  // a horizontal distance only
      label(out, "11").fixed(m.distance, 3).end_line(kLf);
    } else {
      label(out, "9").fixed(m.distance, 3).end_line(kLf);
    }
    if (r.below(20) == 0) label(out, "0").put("TREE").end_line(kLf);
  };
  label(out, "50").put("JOB01").end_line(kLf);
  each_station(out, set_up, observe);
}

void geodimeter_coords(Records& out) {
  Survey s;
  Random& r = out.random();
  label(out, "50").put("JOB01").end_line(kLf);
  while (out.more()) {
    label(out, "5").number(s.point++).end_line(kLf);
    label(out, "37").fixed(r.between(4100000, 4600000), 3).end_line(kLf);
    label(out, "38").fixed(r.between(100000, 900000), 3).end_line(kLf);
    label(out, "39").fixed(r.between(50, 500), 3).end_line(kLf);
  }
}

struct Generator {
  std::string_view command_id;
  void (*write)(Records&);
};

constexpr Generator kGenerators[] = {
    {"leica-tc600", &leica_tc600},
    {"leica-tcr307", &leica_tcr307},
    {"leica-gsi", &leica_gsi},
    {"leica-gsi-coords", &leica_gsi_coords},
    {"leica-tcr407-idx", &leica_tcr407_idx},
    {"leica-tcr407-mdt", &leica_tcr407_mdt},
    {"leica-tcr407-coords", &leica_tcr407_coords},
    {"nikon-npl352-dos", &nikon_dos},
    {"nikon-npl352-raw", &nikon_raw},
    {"nikon-dtm300", &nikon_dtm300},
    {"pentax-mes", &pentax_mes},
    {"pentax-cor", &pentax_cor},
    {"pentax-mes-traverse", &pentax_mes_traverse},
    {"pentax-cor-traverse", &pentax_cor_traverse},
    {"sokkia-sdr", &sokkia_sdr},
    {"sokkia-sdr-coords", &sokkia_sdr_coords},
    {"south-mes", &south_mes},
    {"topcon-gts3000", &topcon_gts3000},
    {"topcon-gts3000-raw", [](Records& out) { topcon_raw(out, kLf); }},
    {"topcon-gts3000-raw-wordpad", [](Records& out) { topcon_raw(out, kCrLf); }},
    {"foif-mes", &foif_mes},
    {"foif-cor", &foif_cor},
    {"topcon-gts200", &topcon_gts200},
    {"geodimeter", &geodimeter},
    {"geodimeter-coords", &geodimeter_coords},
};

const Generator* find_generator(std::string_view command_id) {
  for (const Generator& g : kGenerators)
    if (g.command_id == command_id) return &g;
  return nullptr;
}

}  // namespace

bool has_generator(std::string_view command_id) {
  return find_generator(command_id);
}

void generate(std::string_view command_id, std::uint64_t bytes,
              const std::function<void(std::string_view)>& sink) {
  const Generator* g = find_generator(command_id);
  if (!g) throw std::invalid_argument("no generator for " + std::string(command_id));
  Records out(bytes, sink);
  g->write(out);
  out.finish();
}

}  // namespace korvath::bench
