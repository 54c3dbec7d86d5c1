#include "photos/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// The two inner loops are plain widening multiply-adds that the vectoriser turns into SIMD
// code at its full level; they are most of the time of a crop.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

namespace solvane {
namespace {

constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;
constexpr int kRowShift = 7;  // vertical sums keep 7 fractional bits
constexpr int kShift = kWeightBits + (kWeightBits - kRowShift);

// For every output pixel of one direction: the first source pixel it draws from and its
// weights (summing to kOne), stored flat.
struct Axis {
  std::vector<int> first, count, offset;
  std::vector<std::uint32_t> weights;
};

Axis axis(int srcLen, int dstLen) {
  Axis out;
  const double scale = double(srcLen) / dstLen;
  std::vector<double> w;
  for (int i = 0; i < dstLen; ++i) {
    w.clear();
    int first;
    if (scale > 1.0) {  // shrinking: overlap of the source pixels with the covered area
      const double a = i * scale, b = std::min<double>(srcLen, (i + 1) * scale);
      first = static_cast<int>(a);
      for (int s = first; s < srcLen && s < b; ++s)
        w.push_back((std::min<double>(b, s + 1) - std::max<double>(a, s)) / scale);
    } else {  // enlarging: linear interpolation between the two nearest pixel centres
      const double c = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(srcLen - 1));
      first = static_cast<int>(c);
      const double f = c - first;
      w.push_back(1.0 - f);
      if (f > 0.0 && first + 1 < srcLen) w.push_back(f);
    }
    out.first.push_back(first);
    out.count.push_back(static_cast<int>(w.size()));
    out.offset.push_back(static_cast<int>(out.weights.size()));
    int sum = 0, largest = 0;
    for (std::size_t k = 0; k < w.size(); ++k) {
      const int q = static_cast<int>(std::lround(w[k] * kOne));
      out.weights.push_back(static_cast<std::uint32_t>(q));
      sum += q;
      if (q > static_cast<int>(out.weights[out.offset.back() + largest])) largest = static_cast<int>(k);
    }
    out.weights[out.offset.back() + largest] += static_cast<std::uint32_t>(kOne - sum);
  }
  return out;
}

void verticalPass(const QImage& src, const Axis& rows, int y, std::vector<std::uint32_t>& sums,
                  std::vector<std::uint16_t>& line) {
  const std::size_t n = sums.size();
  std::fill(sums.begin(), sums.end(), 0u);
  const std::uint32_t* w = rows.weights.data() + rows.offset[y];
  for (int k = 0; k < rows.count[y]; ++k) {
    const unsigned char* s = src.constScanLine(rows.first[y] + k);
    const std::uint32_t wk = w[k];
    std::uint32_t* acc = sums.data();
    for (std::size_t j = 0; j < n; ++j) acc[j] += wk * s[j];
  }
  for (std::size_t j = 0; j < n; ++j) line[j] = static_cast<std::uint16_t>(sums[j] >> kRowShift);
}

void horizontalPass(const std::vector<std::uint16_t>& line, const Axis& columns, int width,
                    unsigned char* d) {
  for (int x = 0; x < width; ++x) {
    std::uint32_t a0 = 0, a1 = 0, a2 = 0, a3 = 0;
    const std::uint16_t* p = line.data() + std::size_t(columns.first[x]) * 4;
    const std::uint32_t* w = columns.weights.data() + columns.offset[x];
    for (int k = 0; k < columns.count[x]; ++k, p += 4) {
      a0 += w[k] * p[0];
      a1 += w[k] * p[1];
      a2 += w[k] * p[2];
      a3 += w[k] * p[3];
    }
    constexpr std::uint32_t kHalf = 1u << (kShift - 1);
    d[0] = static_cast<unsigned char>((a0 + kHalf) >> kShift);
    d[1] = static_cast<unsigned char>((a1 + kHalf) >> kShift);
    d[2] = static_cast<unsigned char>((a2 + kHalf) >> kShift);
    d[3] = static_cast<unsigned char>((a3 + kHalf) >> kShift);
    d += 4;
  }
}

}  // namespace

void resampleInto(const QImage& src, QImage& dst, QSize needed) {
  const QSize part = needed.isEmpty() ? dst.size() : needed.boundedTo(dst.size());
  const Axis columns = axis(src.width(), dst.width()), rows = axis(src.height(), dst.height());
  std::vector<std::uint32_t> sums(std::size_t(src.width()) * 4);
  std::vector<std::uint16_t> line(sums.size());
  for (int y = 0; y < part.height(); ++y) {
    verticalPass(src, rows, y, sums, line);
    horizontalPass(line, columns, part.width(), dst.scanLine(y));
  }
}

}  // namespace solvane
