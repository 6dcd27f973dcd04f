// Reading back what a run wrote: the blocks of the curve file with every fault of its line
// layout, and a test for texts that stand for no number (nan, inf, asterisks).
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace regmap::test {

struct CurveFile {
  // The point lines of each block, in file order.
  std::vector<std::vector<std::string>> blocks;
  // Every departure from the layout: a point line that is not 28 characters, a line not
  // ended by CR LF, a lone CR or LF, an empty line that is not half of a separator, a
  // separator at the start or the end of the file.
  std::vector<std::string> faults;
};

// Splits a curve file into its blocks: point lines of 28 characters, each ended by CR LF,
// with two empty lines between blocks and none at the start or the end.
inline CurveFile parse_curve_file(const std::string& bytes) {
  CurveFile file;
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string::npos) {
      file.faults.push_back("last line without CR LF: [" + bytes.substr(pos) + "]");
      lines.push_back(bytes.substr(pos));
      break;
    }
    lines.push_back(bytes.substr(pos, end - pos));
    pos = end + 2;
  }
  if (lines.empty()) return file;
  file.blocks.emplace_back();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.find_first_of("\r\n") != std::string::npos) {
      file.faults.push_back("lone CR or LF in line " + std::to_string(i + 1));
    }
    if (!line.empty()) {
      if (line.size() != 28) {
        file.faults.push_back("line " + std::to_string(i + 1) + " is not 28 characters: [" +
                              line + "]");
      }
      file.blocks.back().push_back(line);
      continue;
    }
    const bool pair = i + 1 < lines.size() && lines[i + 1].empty();
    const bool inside = i > 0 && i + 2 < lines.size() && !lines[i + 2].empty();
    if (!pair || !inside) {
      file.faults.push_back("empty line " + std::to_string(i + 1) + " is not a separator");
    }
    if (pair) ++i;
    file.blocks.emplace_back();
  }
  return file;
}

// True when `text` holds "nan" or "inf" in any case, or an asterisk: the marks of a number
// without a value or of a field too narrow for its number.
inline bool has_meaningless_number(const std::string& text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos ||
         lower.find('*') != std::string::npos;
}

}  // namespace regmap::test
