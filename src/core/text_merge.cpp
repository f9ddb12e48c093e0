#include "core/text_merge.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/shown_text.h"
#include "core/unicode_text.h"

namespace quillo {
namespace {

// One shortest edit script has at most this many insertions and deletions;
// its trace takes memory in proportion to the square.
constexpr std::ptrdiff_t kMaxEdits = 512;
// Line ranges up to this size are aligned by an edit script before unique
// lines are looked for as anchors.
constexpr std::size_t kSmallLineRange = 2048;
// The greedy scan looks this far ahead on each side for a run of this many
// equal elements.
constexpr std::size_t kResyncWindow = 32;
constexpr std::size_t kResyncRun = 4;
// Changed lines between two equal ones are aligned as one text up to this
// size; above it, as many old as new lines pair up one by one.
constexpr std::size_t kLineByLineAbove = 16 * 1024;

struct Match {
  std::size_t a, b;
};

// The work left for alignment, in element comparisons. One attempt at a
// stretch gets a share in proportion to the stretch, so a failed attempt
// never eats the work that the rest of the text needs.
class Budget {
 public:
  explicit Budget(std::size_t steps) : left_(steps) {}
  bool Spend(std::size_t steps) {
    if (steps > left_) {
      left_ = 0;
      return false;
    }
    left_ -= steps;
    return true;
  }
  bool Exhausted() const { return left_ == 0; }

  // Runs attempt(share) with a share of at most `cap` steps and charges
  // what it spent.
  template <class Attempt>
  bool WithShare(std::size_t cap, Attempt attempt) {
    Budget share(std::min(cap, left_));
    const bool done = attempt(share);
    left_ -= std::min(left_, std::min(cap, left_) - share.left_);
    return done;
  }

 private:
  std::size_t left_;
};

// The share of one attempt at aligning n and m elements.
std::size_t ShareFor(std::size_t n, std::size_t m, std::size_t per_element) {
  return per_element * (n + m) + 100'000;
}

// Myers' shortest edit script of a[0, n) into b[0, m), where eq(x, y)
// compares a[x] with b[y]. Appends the equal pairs in order, shifted by
// (a0, b0); false (nothing appended) when it needs more than kMaxEdits
// edits or more work than the budget holds.
template <class Eq>
bool ShortestEdit(std::size_t n, std::size_t m, Eq eq, Budget& budget, std::size_t a0, std::size_t b0,
                  std::vector<Match>& out) {
  using Index = std::ptrdiff_t;
  const Index N = static_cast<Index>(n), M = static_cast<Index>(m);
  const Index max_d = std::min<Index>(kMaxEdits, N + M);
  // rounds[d] holds, for the diagonals k = -d, -d+2 … d, the furthest x a
  // path of d edits reaches on k, or -1 where none does.
  std::vector<std::vector<Index>> rounds;
  const auto at = [&rounds](Index d, Index k) -> Index {
    if (d < 0 || k < -d || k > d) return -1;
    return rounds[d][(k + d) / 2];
  };
  // The start of round d's move onto diagonal k: x, and whether it came
  // down from k+1 (an insertion); x is -1 when no path reaches k.
  const auto step = [&](Index d, Index k, bool& down) -> Index {
    const Index from_above = at(d - 1, k + 1);
    const Index from_left = at(d - 1, k - 1);
    const Index x_down = from_above >= 0 && from_above - k <= M ? from_above : -1;
    const Index x_right = from_left >= 0 && from_left + 1 <= N ? from_left + 1 : -1;
    down = x_down >= x_right;
    return down ? x_down : x_right;
  };

  Index end_d = -1;
  for (Index d = 0; d <= max_d && end_d < 0; ++d) {
    if (!budget.Spend(static_cast<std::size_t>(d) + 1)) return false;
    std::vector<Index>& round = rounds.emplace_back(static_cast<std::size_t>(d) + 1, -1);
    for (Index k = -d; k <= d; k += 2) {
      if (k < -M || k > N) continue;
      bool down = false;
      Index x = d == 0 ? 0 : step(d, k, down);
      if (x < 0) continue;
      Index y = x - k;
      const Index x0 = x;
      while (x < N && y < M && eq(static_cast<std::size_t>(x), static_cast<std::size_t>(y))) {
        ++x;
        ++y;
      }
      if (!budget.Spend(static_cast<std::size_t>(x - x0))) return false;
      round[(k + d) / 2] = x;
      if (x == N && y == M) {
        end_d = d;
        break;
      }
    }
  }
  if (end_d < 0) return false;

  std::vector<Match> found;
  Index x = N, y = M;
  for (Index d = end_d; d >= 0; --d) {
    const Index k = x - y;
    bool down = false;
    const Index start_x = d == 0 ? 0 : step(d, k, down);
    const Index start_y = start_x - k;
    while (x > start_x && y > start_y) {
      --x;
      --y;
      found.push_back({a0 + static_cast<std::size_t>(x), b0 + static_cast<std::size_t>(y)});
    }
    if (d > 0) {
      if (down) {
        y = start_y - 1;
      } else {
        x = start_x - 1;
      }
    }
  }
  out.insert(out.end(), found.rbegin(), found.rend());
  return true;
}

// A greedy alignment of a[0, n) with b[0, m) for where an edit script costs
// too much: equal elements pair up; at a difference, the nearest pair of
// places within the window that begins a run of equal elements is where the
// two sides continue. Stops when the budget is spent.
template <class Eq>
void Resync(std::size_t n, std::size_t m, Eq eq, Budget& budget, std::size_t a0, std::size_t b0,
            std::vector<Match>& out) {
  const auto run_equal = [&](std::size_t x, std::size_t y) {
    const std::size_t run = std::min({kResyncRun, n - x, m - y});
    for (std::size_t t = 0; t < run; ++t)
      if (!eq(x + t, y + t)) return false;
    return true;
  };
  std::size_t i = 0, j = 0;
  while (i < n && j < m) {
    if (!budget.Spend(1)) return;
    if (eq(i, j)) {
      out.push_back({a0 + i, b0 + j});
      ++i;
      ++j;
      continue;
    }
    bool found = false;
    for (std::size_t s = 1; s <= 2 * kResyncWindow && !found; ++s) {
      for (std::size_t di = s > kResyncWindow ? s - kResyncWindow : 0; di <= std::min(s, kResyncWindow); ++di) {
        const std::size_t dj = s - di;
        if (i + di >= n || j + dj >= m) continue;
        if (!budget.Spend(kResyncRun)) return;
        if (run_equal(i + di, j + dj)) {
          i += di;
          j += dj;
          found = true;
          break;
        }
      }
    }
    if (!found) {
      ++i;
      ++j;
    }
  }
}

// A line of a text: its characters [start, end), then its CR if it has one
// (every line but the last). Lines compare by their characters alone, so a
// line that becomes the last one, or stops being it, is still the same line.
struct Line {
  std::size_t start, end;
  bool has_break;
};

// One line more than there are breaks: a text that ends with a break ends
// with an empty line.
std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  for (std::size_t cr; (cr = text.find('\r', start)) != std::string_view::npos; start = cr + 1)
    lines.push_back({start, cr, true});
  lines.push_back({start, text.size(), false});
  return lines;
}

std::string_view CharsOf(std::string_view text, const Line& line) {
  return text.substr(line.start, line.end - line.start);
}

class LineSide {
 public:
  explicit LineSide(std::string_view text) : text_(text), lines_(SplitLines(text)) {
    hashes_.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) hashes_.push_back(std::hash<std::string_view>{}(Text(i)));
  }
  std::size_t size() const { return lines_.size(); }
  std::string_view Text(std::size_t i) const { return CharsOf(text_, lines_[i]); }
  // The line with its CR.
  std::string_view Whole(std::size_t i) const {
    return text_.substr(lines_[i].start, lines_[i].end - lines_[i].start + lines_[i].has_break);
  }
  const Line& operator[](std::size_t i) const { return lines_[i]; }
  std::size_t Hash(std::size_t i) const { return hashes_[i]; }

 private:
  std::string_view text_;
  std::vector<Line> lines_;
  std::vector<std::size_t> hashes_;
};

bool SameLine(const LineSide& a, std::size_t i, const LineSide& b, std::size_t j) {
  return a.Hash(i) == b.Hash(j) && a.Text(i) == b.Text(j);
}

// Lines that occur exactly once in a[a0, a1) and once in b[b0, b1), as many
// of them as keep one order on both sides (a longest increasing subsequence).
// `shared` tells whether the two sides have any line in common at all.
std::vector<Match> UniqueAnchors(const LineSide& a, std::size_t a0, std::size_t a1, const LineSide& b,
                                 std::size_t b0, std::size_t b1, Budget& budget, bool& shared) {
  struct Seen {
    std::size_t in_a = 0, in_b = 0, a = 0, b = 0;
  };
  budget.Spend((a1 - a0) + (b1 - b0));
  std::unordered_map<std::string_view, Seen> seen;
  for (std::size_t i = a0; i < a1; ++i) {
    Seen& s = seen[a.Text(i)];
    ++s.in_a;
    s.a = i;
  }
  for (std::size_t j = b0; j < b1; ++j) {
    auto it = seen.find(b.Text(j));
    if (it == seen.end()) continue;
    shared = true;
    ++it->second.in_b;
    it->second.b = j;
  }
  std::vector<Match> pairs;
  for (std::size_t i = a0; i < a1; ++i) {
    const Seen& s = seen[a.Text(i)];
    if (s.in_a == 1 && s.in_b == 1) pairs.push_back({i, s.b});
  }
  // Patience sorting: tails[l] is the pair ending the best increasing run
  // of length l + 1; links lead back through each run.
  std::vector<std::size_t> tails, links(pairs.size());
  for (std::size_t p = 0; p < pairs.size(); ++p) {
    const auto pos = std::lower_bound(tails.begin(), tails.end(), pairs[p].b,
                                      [&pairs](std::size_t t, std::size_t b) { return pairs[t].b < b; });
    links[p] = pos == tails.begin() ? p : *(pos - 1);
    if (pos == tails.end())
      tails.push_back(p);
    else
      *pos = p;
  }
  std::vector<Match> anchors;
  if (tails.empty()) return anchors;
  for (std::size_t p = tails.back();; p = links[p]) {
    anchors.push_back(pairs[p]);
    if (links[p] == p) break;
  }
  std::reverse(anchors.begin(), anchors.end());
  return anchors;
}

// Equal lines of the two sides, in order.
std::vector<Match> AlignLines(const LineSide& a, const LineSide& b, Budget& budget) {
  struct Range {
    std::size_t a0, a1, b0, b1;
  };
  std::vector<Match> matches;
  std::vector<Range> ranges = {{0, a.size(), 0, b.size()}};
  while (!ranges.empty()) {
    Range r = ranges.back();
    ranges.pop_back();
    while (r.a0 < r.a1 && r.b0 < r.b1 && SameLine(a, r.a0, b, r.b0)) matches.push_back({r.a0++, r.b0++});
    while (r.a0 < r.a1 && r.b0 < r.b1 && SameLine(a, r.a1 - 1, b, r.b1 - 1))
      matches.push_back({--r.a1, --r.b1});
    if (r.a0 == r.a1 || r.b0 == r.b1 || budget.Exhausted()) continue;
    const auto eq = [&a, &b, &r](std::size_t x, std::size_t y) { return SameLine(a, r.a0 + x, b, r.b0 + y); };
    const std::size_t na = r.a1 - r.a0, nb = r.b1 - r.b0;
    const auto edit_script = [&](Budget& share) { return ShortestEdit(na, nb, eq, share, r.a0, r.b0, matches); };
    const auto resync = [&](Budget& share) {
      Resync(na, nb, eq, share, r.a0, r.b0, matches);
      return true;
    };
    const bool small = na + nb <= kSmallLineRange;
    if (small && budget.WithShare(ShareFor(na, nb, 16), edit_script)) continue;
    bool shared = false;
    const std::vector<Match> anchors = UniqueAnchors(a, r.a0, r.a1, b, r.b0, r.b1, budget, shared);
    if (anchors.empty()) {
      if (!shared) continue;  // every line changed
      if (small || !budget.WithShare(ShareFor(na, nb, 16), edit_script))
        budget.WithShare(ShareFor(na, nb, 64), resync);
      continue;
    }
    std::size_t a_from = r.a0, b_from = r.b0;
    for (const Match& anchor : anchors) {
      ranges.push_back({a_from, anchor.a, b_from, anchor.b});
      matches.push_back(anchor);
      a_from = anchor.a + 1;
      b_from = anchor.b + 1;
    }
    ranges.push_back({a_from, r.a1, b_from, r.b1});
  }
  std::sort(matches.begin(), matches.end(), [](const Match& x, const Match& y) { return x.a < y.a; });
  return matches;
}

// Where a prefix of length p would end inside a surrogate pair of the
// control's text, one unit less.
std::size_t PairSafePrefix(std::u16string_view control, std::size_t p) {
  return p > 0 && p < control.size() && IsHighSurrogate(control[p - 1]) && IsLowSurrogate(control[p]) ? p - 1 : p;
}

std::size_t PairSafeSuffix(std::u16string_view control, std::size_t s) {
  const std::size_t e = control.size() - s;
  return s > 0 && e > 0 && IsHighSurrogate(control[e - 1]) && IsLowSurrogate(control[e]) ? s - 1 : s;
}

std::size_t CommonPrefix(std::string_view x, std::string_view y) {
  const auto [ix, iy] = std::mismatch(x.begin(), x.end(), y.begin(), y.end());
  return static_cast<std::size_t>(ix - x.begin());
}

std::size_t CommonSuffix(std::string_view x, std::string_view y) {
  const auto [ix, iy] = std::mismatch(x.rbegin(), x.rend(), y.rbegin(), y.rend());
  return static_cast<std::size_t>(ix - x.rbegin());
}

// Each CR LF and each lone LF becomes one CR.
std::string ControlBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out.push_back(text[i] == '\n' ? '\r' : text[i]);
  }
  return out;
}

// Builds the new text of a stretch: `held` and `control` are the old text
// (the copy and the control's units), `result` the command's new copy.
class Merger {
 public:
  Merger(TCodePage view, StandIns stand_ins, Budget& budget)
      : view_(view), keep_stand_ins_(stand_ins == StandIns::Keep), budget_(budget) {}

  std::u16string& out() { return out_; }

  void MergeMiddle(std::string_view held, std::u16string_view control, std::string_view result) {
    if (!AnyProtected(held, control)) return Take(result);
    if (held.size() == result.size() && SameBreakPlaces(held, result) && MapsByteByByte(held, result) &&
        !LinesMoved(held, result))
      return Overlay(held, control, result);
    if (held.find('\r') == std::string_view::npos && result.find('\r') == std::string_view::npos)
      return MergeChars(held, control, result);
    MergeLines(held, control, result);
  }

 private:
  bool Protected(char held, char16_t unit) const {
    const auto byte = static_cast<unsigned char>(held);
    return unit != ShownChar(byte, view_) || (keep_stand_ins_ && IsStandIn(byte, view_));
  }

  bool AnyProtected(std::string_view held, std::u16string_view control) const {
    for (std::size_t i = 0; i < held.size(); ++i)
      if (Protected(held[i], control[i])) return true;
    return false;
  }

  static bool SameBreakPlaces(std::string_view held, std::string_view result) {
    for (std::size_t i = 0; i < held.size(); ++i)
      if ((held[i] == '\r') != (result[i] == '\r')) return false;
    return true;
  }

  // Same-length texts whose line breaks sit at the same places, but a
  // changed line is another old line: lines were rearranged (sorted), and
  // comparing position by position would leave units behind.
  static bool LinesMoved(std::string_view held, std::string_view result) {
    const std::vector<Line> lines = SplitLines(held);
    std::unordered_map<std::string_view, int> old_lines;
    for (const Line& line : lines) old_lines.emplace(CharsOf(held, line), 0);
    for (const Line& line : lines) {
      const std::string_view after = CharsOf(result, line);
      if (CharsOf(held, line) != after && old_lines.count(after)) return true;
    }
    return false;
  }

  // Case and layout commands map each byte on its own: equal bytes give
  // equal bytes wherever they are. A result that does not (a line whose
  // characters shifted) must be aligned.
  static bool MapsByteByByte(std::string_view held, std::string_view result) {
    std::array<int, 256> image;
    image.fill(-1);
    for (std::size_t i = 0; i < held.size(); ++i) {
      int& to = image[static_cast<unsigned char>(held[i])];
      const int now = static_cast<unsigned char>(result[i]);
      if (to >= 0 && to != now) return false;
      to = now;
    }
    return true;
  }

  void Take(std::string_view result) {
    for (char ch : result) out_.push_back(ShownChar(static_cast<unsigned char>(ch), view_));
  }

  void Overlay(std::string_view held, std::u16string_view control, std::string_view result) {
    for (std::size_t i = 0; i < held.size(); ++i) {
      if (held[i] == result[i] || Protected(held[i], control[i]))
        out_.push_back(control[i]);
      else
        out_.push_back(ShownChar(static_cast<unsigned char>(result[i]), view_));
    }
  }

  void Hunk(std::string_view held, std::u16string_view control, std::string_view result) {
    if (held.size() == result.size())
      Overlay(held, control, result);
    else
      Take(result);
  }

  void Emit(std::string_view held, std::u16string_view control, std::string_view result,
            const std::vector<Match>& matches) {
    std::size_t a = 0, b = 0;
    for (std::size_t k = 0; k < matches.size(); ++k) {
      const Match& m = matches[k];
      Hunk(held.substr(a, m.a - a), control.substr(a, m.a - a), result.substr(b, m.b - b));
      // Half of a surrogate pair whose other half the command removed is
      // no character: it shows as the result's '?'.
      const char16_t unit = control[m.a];
      const bool pair_with_next = IsHighSurrogate(unit) && m.a + 1 < control.size() && IsLowSurrogate(control[m.a + 1]);
      const bool pair_with_previous = IsLowSurrogate(unit) && m.a > 0 && IsHighSurrogate(control[m.a - 1]);
      const bool broken =
          (pair_with_next && !(k + 1 < matches.size() && matches[k + 1].a == m.a + 1 && matches[k + 1].b == m.b + 1)) ||
          (pair_with_previous && !(k > 0 && matches[k - 1].a + 1 == m.a && matches[k - 1].b + 1 == m.b));
      out_.push_back(broken ? ShownChar(static_cast<unsigned char>(result[m.b]), view_) : unit);
      a = m.a + 1;
      b = m.b + 1;
    }
    Hunk(held.substr(a), control.substr(a), result.substr(b));
  }

  void MergeChars(std::string_view held, std::u16string_view control, std::string_view result) {
    if (!AnyProtected(held, control)) return Take(result);
    const std::size_t p = PairSafePrefix(control, CommonPrefix(held, result));
    const std::size_t s =
        PairSafeSuffix(control, CommonSuffix(held.substr(p), result.substr(p)));
    out_.append(control.substr(0, p));
    const std::string_view h = held.substr(p, held.size() - p - s);
    const std::u16string_view c = control.substr(p, h.size());
    const std::string_view r = result.substr(p, result.size() - p - s);
    std::vector<Match> matches;
    const auto eq = [h, r](std::size_t x, std::size_t y) { return h[x] == r[y]; };
    if (h.empty() || r.empty() || !AnyProtected(h, c)) {
      Hunk(h, c, r);
    } else {
      const bool exact = budget_.WithShare(ShareFor(h.size(), r.size(), 16), [&](Budget& share) {
        return ShortestEdit(h.size(), r.size(), eq, share, 0, 0, matches);
      });
      if (!exact) {
        budget_.WithShare(ShareFor(h.size(), r.size(), 64), [&](Budget& share) {
          Resync(h.size(), r.size(), eq, share, 0, 0, matches);
          return true;
        });
      }
      Emit(h, c, r, matches);
    }
    out_.append(control.substr(control.size() - s));
  }

  void MergeLines(std::string_view held, std::u16string_view control, std::string_view result) {
    const LineSide a(held), b(result);
    const std::vector<Match> matches = AlignLines(a, b, budget_);
    const auto control_chars = [&](std::size_t i) { return control.substr(a[i].start, a[i].end - a[i].start); };

    // Lines that moved (sorted lines) keep their units: an unmatched new
    // line takes an unmatched old line with the same copy that holds
    // protected units.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<bool> a_used(a.size(), false);
    std::vector<std::size_t> b_from(b.size(), kNone);
    for (const Match& m : matches) {
      a_used[m.a] = true;
      b_from[m.b] = m.a;
    }
    std::unordered_map<std::string_view, std::vector<std::size_t>> pool;
    for (std::size_t i = a.size(); i-- > 0;)
      if (!a_used[i] && AnyProtected(a.Text(i), control_chars(i))) pool[a.Text(i)].push_back(i);
    std::vector<bool> moved(b.size(), false);
    for (std::size_t j = 0; j < b.size() && !pool.empty(); ++j) {
      if (b_from[j] != kNone) continue;
      auto it = pool.find(b.Text(j));
      if (it == pool.end() || it->second.empty()) continue;
      b_from[j] = it->second.back();  // the earliest one left
      it->second.pop_back();
      a_used[b_from[j]] = true;
      moved[j] = true;
    }

    Lines lines{a, b, control, a_used, moved, b_from};
    std::size_t a_next = 0, b_next = 0;
    for (std::size_t g = 0; g <= matches.size(); ++g) {
      const std::size_t a_end = g < matches.size() ? matches[g].a : a.size();
      const std::size_t b_end = g < matches.size() ? matches[g].b : b.size();
      MergeGap(lines, a_next, a_end, b_next, b_end);
      if (g < matches.size()) {
        KeepLine(lines, matches[g].b);
        a_next = matches[g].a + 1;
        b_next = matches[g].b + 1;
      }
    }
  }

  struct Lines {
    const LineSide& a;
    const LineSide& b;
    std::u16string_view control;
    const std::vector<bool>& a_used;
    const std::vector<bool>& moved;
    const std::vector<std::size_t>& b_from;

    std::u16string_view ControlChars(std::size_t i) const { return control.substr(a[i].start, a[i].end - a[i].start); }
    std::u16string_view ControlWhole(std::size_t i) const { return control.substr(a[i].start, a.Whole(i).size()); }
  };

  // The new line j from the old line it equals.
  void KeepLine(const Lines& lines, std::size_t j) {
    out_.append(lines.ControlChars(lines.b_from[j]));
    if (lines.b[j].has_break) out_.push_back(u'\r');
  }

  // The new lines b[b0, b1) between two matched lines, from the old lines
  // a[a0, a1) that no other new line took.
  void MergeGap(const Lines& lines, std::size_t a0, std::size_t a1, std::size_t b0, std::size_t b1) {
    if (b0 == b1) return;
    std::vector<std::size_t> left;
    std::size_t block = 0;
    for (std::size_t i = a0; i < a1; ++i) {
      if (lines.a_used[i]) continue;
      left.push_back(i);
      block += lines.a.Whole(i).size();
    }
    std::size_t fresh = 0;
    for (std::size_t j = b0; j < b1; ++j) fresh += !lines.moved[j];

    if (fresh == left.size() && block > kLineByLineAbove) {  // lines changed in place: line by line
      std::size_t next = 0;
      for (std::size_t j = b0; j < b1; ++j) {
        if (lines.moved[j]) {
          KeepLine(lines, j);
          continue;
        }
        const std::size_t i = left[next++];
        MergeChars(lines.a.Text(i), lines.ControlChars(i), lines.b.Text(j));
        if (lines.b[j].has_break) out_.push_back(u'\r');
      }
      return;
    }
    // A small stretch, or lines joined or split: the old lines left, as one
    // text, with the new lines of the first stretch that no moved line
    // interrupts.
    std::string old_held;
    std::u16string old_control;
    for (std::size_t i : left) {
      old_held += lines.a.Whole(i);
      old_control += lines.ControlWhole(i);
    }
    bool merged = false;
    for (std::size_t j = b0; j < b1;) {
      if (lines.moved[j]) {
        KeepLine(lines, j++);
        continue;
      }
      std::size_t k = j;
      std::string new_held;
      for (; k < b1 && !lines.moved[k]; ++k) new_held += lines.b.Whole(k);
      if (merged) {
        Take(new_held);
      } else {
        MergeChars(old_held, old_control, new_held);
        merged = true;
      }
      j = k;
    }
  }

  TCodePage view_;
  bool keep_stand_ins_;
  Budget& budget_;
  std::u16string out_;
};

}  // namespace

TextChange MergeResult(std::u16string_view control, std::string_view held, std::string_view result,
                       TCodePage view, StandIns stand_ins) {
  const std::string r = ControlBreaks(result);
  TextChange change;
  if (held.size() != control.size()) {  // not the copy of this text: nothing can be kept
    change.end = control.size();
    change.replacement = ShownText(r, view);
  } else {
    // Whole lines only: the middle's lines are aligned as lines, and part
    // of a line may belong to another line of the result.
    const std::size_t same_head = CommonPrefix(held, r);
    const std::size_t head_break = held.substr(0, same_head).rfind('\r');
    const std::size_t p = head_break == std::string_view::npos ? 0 : head_break + 1;
    const std::size_t same_tail = CommonSuffix(held.substr(p), std::string_view(r).substr(p));
    const std::size_t tail_break = held.substr(held.size() - same_tail).find('\r');
    const std::size_t s = tail_break == std::string_view::npos ? 0 : same_tail - tail_break - 1;
    Budget budget(ShareFor(held.size(), r.size(), 128));
    Merger merger(view, stand_ins, budget);
    const std::size_t end = held.size() - s;
    merger.MergeMiddle(held.substr(p, end - p), control.substr(p, end - p),
                       std::string_view(r).substr(p, r.size() - s - p));
    change.start = p;
    change.end = end;
    change.replacement = std::move(merger.out());
  }
  // The smallest span: units the merge kept at either end are no change.
  std::u16string& rep = change.replacement;
  const std::u16string_view old = control.substr(change.start, change.end - change.start);
  const std::size_t same_head = static_cast<std::size_t>(
      std::mismatch(old.begin(), old.end(), rep.begin(), rep.end()).first - old.begin());
  const std::size_t head = std::max(PairSafePrefix(control, change.start + same_head), change.start) - change.start;
  const std::size_t after = control.size() - change.end;
  const std::size_t same_tail = static_cast<std::size_t>(
      std::mismatch(old.rbegin(), old.rend() - head, rep.rbegin(), rep.rend() - head).first - old.rbegin());
  const std::size_t tail = std::max(PairSafeSuffix(control, after + same_tail), after) - after;
  rep = rep.substr(head, rep.size() - head - tail);
  change.start += head;
  change.end -= tail;
  return change;
}

std::u16string ApplyChange(std::u16string_view control, const TextChange& change) {
  std::u16string text(control.substr(0, change.start));
  text += change.replacement;
  text += control.substr(change.end);
  return text;
}

}  // namespace quillo
