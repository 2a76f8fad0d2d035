#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace tamo1d {

ProgressBar::ProgressBar(double total, bool enabled)
    : total_(total),
      active_(enabled && isatty(STDERR_FILENO) == 1 && total > 0.0),
      start_(std::chrono::steady_clock::now()),
      lastDraw_(start_) {}

void ProgressBar::update(double done) {
  if (!active_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < std::chrono::milliseconds(100) && done < total_) return;
  lastDraw_ = now;
  const double fraction = done / total_;
  const int width = 40;
  const int filled = static_cast<int>(fraction * width);
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  const double remaining = fraction > 0.0 ? elapsed * (1.0 - fraction) / fraction : 0.0;
  char bar[width + 1];
  for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
  bar[width] = '\0';
  std::fprintf(stderr, "\r[%s] %5.1f%%  day %7.1f  %6.1f s left ", bar, fraction * 100.0,
               done / 86400.0, remaining);
  std::fflush(stderr);
}

void ProgressBar::finish() {
  if (!active_) return;
  std::fprintf(stderr, "\r%80s\r", "");
  std::fflush(stderr);
}

}  // namespace tamo1d
