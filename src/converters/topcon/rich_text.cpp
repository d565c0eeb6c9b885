#include "converters/topcon/rich_text.hpp"

namespace korvath::topcon {
namespace {
constexpr std::string_view kHeader = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n";
constexpr std::string_view kControlWords = "\\viewkind4\\uc1\\pard\\f0\\fs17 ";
constexpr std::string_view kParagraphBreak = "\r\n\\par ";
constexpr std::string_view kClosing = "\r\n\\par }\r\n";
}  // namespace

void append_rich_text_opening(std::string& out) {
  out.append(kHeader).append(kControlWords);
}

void append_rich_text(std::string& out, std::string_view text) {
  for (auto lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n')) {
    out.append(text.substr(0, lf)).append(kParagraphBreak);
    text.remove_prefix(lf + 1);
  }
  out.append(text);
}

void append_rich_text_closing(std::string& out) {
  out.append(kClosing);
}

std::string rich_text_rendering(std::string_view text) {
  std::string rendering;
  append_rich_text_opening(rendering);
  append_rich_text(rendering, text);
  append_rich_text_closing(rendering);
  return rendering;
}

}  // namespace korvath::topcon
