#pragma once
// The table `make bench` prints: one row per path, shape and size.
#include <string>
#include <vector>

#include "bench/app/floor.h"

namespace quillo::bench {

struct Row {
  std::string path;
  std::string shape;
  std::string size;
  bool wrap = true;
  Measure quillo;
  double firstScreen = -1;
  Measure floorA;  // streamed with the row's wrap setting
  Measure floorB;  // streamed without wrap, wrap switched on after (wrap-on rows)
  double notepad = -1;
  // Rows run after others in the same process: the largest floor peak of
  // the texts held before, when it is the larger one.
  double openingFloorMB = -1;
  std::string note;
};

// One line, for progress while the table is measured.
std::string Summary(const Row& row);
// Aligned plain text, and the same as a Markdown table; both end with the legend.
std::string PlainTable(const std::vector<Row>& rows);
std::string MarkdownTable(const std::vector<Row>& rows);

}  // namespace quillo::bench
