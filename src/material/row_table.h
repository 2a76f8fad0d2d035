// Row tables: the tabulated material functions. Rows hold pairs (x, y) or triples
// (x, y, z), are numbered from 1 and are stored contiguously (row-major). The row count is
// bounded by the 16-bit counts of the material record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "material/power.h"

namespace tamo {

inline constexpr int kMaxTableRows = 32767;

// Ratio y(k+1) / y(k) of a row pair and its logarithm as x^y computes it (see power.h).
struct RowRatio {
  double ratio = 0.0;
  PowerBase log;
};

template <int Cols>
struct RowTable {
  static_assert(Cols == 2 || Cols == 3);
  std::vector<double> cells;  // Cols doubles per row; row i (1-based) starts at (i-1)*Cols
  // x never decreases from row to row (set by noteOrder after the rows are filled): then a
  // remembered row may start a search, see searchRowsFrom.
  bool ascending = false;
  // ratios[k - 1] = y(k + 1) / y(k) with its logarithm, for the rows 1..rows()-1 of a table
  // read by a logarithmic lookup, made by noteRatios after the rows are filled; empty until
  // then (the lookup then divides itself). The same division, made once per table instead
  // of once per lookup, and the first half of the power, which depends on the ratio alone.
  std::vector<RowRatio> ratios;

  int rows() const { return static_cast<int>(cells.size() / Cols); }
  double& x(int i) { return cells[(i - 1) * Cols]; }
  double& y(int i) { return cells[(i - 1) * Cols + 1]; }
  double& z(int i) requires(Cols == 3) { return cells[(i - 1) * Cols + 2]; }
  double x(int i) const { return cells[(i - 1) * Cols]; }
  double y(int i) const { return cells[(i - 1) * Cols + 1]; }
  double z(int i) const requires(Cols == 3) { return cells[(i - 1) * Cols + 2]; }
  // Replaces the content by `rows` zeroed rows (may throw std::bad_alloc).
  void resize(int rows) {
    cells.assign(static_cast<std::size_t>(rows) * Cols, 0.0);
    ratios.clear();
  }
  void release() {
    cells.clear();
    cells.shrink_to_fit();
    ratios.clear();
    ratios.shrink_to_fit();
  }
  const double* raw() const { return cells.data(); }
  // Records whether x(i) <= x(i+1) for every row (false for NaN entries).
  void noteOrder() {
    ascending = true;
    for (int i = 1; i + 1 <= rows(); ++i) ascending = ascending && x(i) <= x(i + 1);
  }
  // Fills ratios from the rows as they stand (may throw std::bad_alloc).
  void noteRatios() {
    ratios.clear();
    ratios.reserve(static_cast<std::size_t>(std::max(rows() - 1, 0)));
    for (int i = 1; i + 1 <= rows(); ++i) {
      const double ratio = y(i + 1) / y(i);
      ratios.push_back(RowRatio{ratio, powerBase(ratio)});
    }
  }
};

using PairTable = RowTable<2>;
using TripleTable = RowTable<3>;

}  // namespace tamo
