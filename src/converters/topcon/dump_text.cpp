#include "converters/topcon/dump_text.hpp"

#include "flow/conversion.hpp"
#include "flow/signature.hpp"
#include "flow/text.hpp"

namespace korvath::topcon {
namespace {

constexpr char kStx = '\x02', kEtx = '\x03', kEot = '\x04';
constexpr std::size_t kBlockData = 128, kCheckCharacters = 4;

}  // namespace

bool RunReader::starts_with_frame() {
  if (at_end()) return false;
  for (std::size_t i = pos_; i < end_; ++i)
    if (buffer_[i] != ' ' && buffer_[i] != '\r' && buffer_[i] != '\n') return buffer_[i] == kStx;
  return false;
}

std::string_view RunReader::read_run() {
  if (cr_at_end_) {  // the LF of a CR LF the buffer's end split
    cr_at_end_ = false;
    if (buffer_[pos_] == '\n' && ++pos_ == end_) return {};
  }
  if (line_ended_) {
    ++current_line_;
    line_ended_ = false;
  }
  const std::size_t stop = next_line_end();
  const std::string_view text(buffer_.data() + pos_, stop - pos_);
  if (stop == end_) {
    pos_ = end_;
    return text;
  }
  pos_ = stop + 1;
  line_ended_ = true;
  if (buffer_[stop] == '\r') {
    if (pos_ == end_)
      cr_at_end_ = true;
    else if (buffer_[pos_] == '\n')
      ++pos_;
  }
  return text;
}

DumpText::DumpText(Conversion& c, RecordTally& tally)
    : c_(c),
      tally_(tally),
      in_(c.read_input_as<RunReader>()),
      framed_(in_.starts_with_frame()),
      after_end_(tally.kind("1 γραμμή μετά το τέλος της λήψης (EOT)",
                            "{} γραμμές μετά το τέλος της λήψης (EOT)")) {}

bool DumpText::next(DumpPiece& piece) {
  if (framed_) return next_frame(piece);
  while (!in_.at_end()) {
    std::string_view run = in_.read_run();
    const Where where = in_.where();
    if (ended_) {
      after_end(run, where);
      continue;
    }
    if (const std::size_t eot = run.find(kEot); eot != std::string_view::npos) {
      ended_ = true;
      after_end(run.substr(eot + 1), where);
      run = run.substr(0, eot);
    }
    piece = {run, where, false};
    return true;
  }
  return false;
}

bool DumpText::next_frame(DumpPiece& piece) {
  while (!in_.at_end()) {
    const std::string_view line = in_.read_line();
    const Where where = in_.where();
    if (is_blank_line(line)) continue;
    if (ended_) {
      after_end(line, where);
      continue;
    }
    if (trim(line) == std::string_view(&kEot, 1)) {
      ended_ = true;
      continue;
    }
    if (short_pending_) {  // a frame follows: the short one lost characters
      damaged(short_where_, std::to_string(short_frame_.size()) + " χαρακτήρες αντί για 128");
      short_pending_ = false;
    }
    if (take_frame(line, where, piece)) return true;
  }
  if (short_pending_) {  // the last frame, which the instrument need not fill
    piece = {short_frame_, short_where_, broken_};
    broken_ = false;
    short_pending_ = false;
    return true;
  }
  if (broken_) {  // the dump ends in a damaged block: the record before it is not whole
    piece = {{}, in_.where(), true};
    broken_ = false;
    return true;
  }
  return false;
}

bool DumpText::take_frame(std::string_view line, const Where& where, DumpPiece& piece) {
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  if (line.empty() || line.front() != kStx) {
    damaged(where, "δεν αρχίζει με STX");
    return false;
  }
  if (line.size() < 2 + kCheckCharacters || line.back() != kEtx) {
    damaged(where, "δεν τελειώνει με ETX μετά από 4 χαρακτήρες ελέγχου");
    return false;
  }
  const std::string_view data = line.substr(1, line.size() - 2 - kCheckCharacters);
  if (data.size() > kBlockData) {
    damaged(where, std::to_string(data.size()) + " χαρακτήρες αντί για 128");
    return false;
  }
  if (data.size() < kBlockData) {
    short_frame_.assign(data);
    short_where_ = where;
    short_pending_ = true;
    return false;
  }
  piece = {data, where, broken_};
  broken_ = false;
  return true;
}

void DumpText::damaged(const Where& where, const std::string& why) {
  broken_ = true;
  c_.note(where,
          "χαλασμένο μπλοκ (" + why + "): παραλείφθηκε, μαζί με τις εγγραφές που περνούν από αυτό");
}

void DumpText::after_end(std::string_view line, const Where& where) {
  if (is_blank_line(line) || where.line == last_after_end_) return;
  last_after_end_ = where.line;
  tally_.count(after_end_, where);
}

}  // namespace korvath::topcon
