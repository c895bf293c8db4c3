// What RIPEMD-128 and RIPEMD-160 (Dobbertin, Bosselaers, Preneel, 1996) have
// in common: the five Boolean functions, the order in which the two parallel
// lines read the message words, and the rotation amounts. RIPEMD-160 runs five
// rounds of 16 steps per line, RIPEMD-128 the first four.
//
// Everything here is evaluated at compile time: the engines pass the results
// as template arguments, so the unrolled steps hold only constant indices and
// constant rotation counts.
#pragma once

#include <cstdint>

namespace ondrix::ripemd {

enum class Line { kLeft, kRight };

// f1..f5 of the published definition.
template <int N>
inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  static_assert(N >= 1 && N <= 5);
  if constexpr (N == 1) return x ^ y ^ z;
  if constexpr (N == 2) return z ^ (x & (y ^ z));  // (x & y) | (~x & z)
  if constexpr (N == 3) return (x | ~y) ^ z;
  if constexpr (N == 4) return y ^ (z & (x ^ y));  // (x & z) | (y & ~z)
  if constexpr (N == 5) return x ^ (y | ~z);
}

// sum + f_N(x, y, z), where x is the word the step before has just made and
// sum, y and z are known earlier. f4 is (x & z) + (y & ~z), the two never
// sharing a bit: y & ~z joins the sum first, so x waits for one AND and one
// add instead of the three steps of y ^ (z & (x ^ y)).
template <int N>
inline std::uint32_t AddF(std::uint32_t sum, std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  if constexpr (N == 4)
    return (sum + (y & ~z)) + (x & z);
  else
    return sum + F<N>(x, y, z);
}

// The left line uses f1, f2, … round by round; the right line the same
// functions in reverse order.
constexpr int FunctionOf(Line line, int round, int rounds) {
  return line == Line::kLeft ? round + 1 : rounds - round;
}

// Word order. Step i of round r reads word rho^r(i) on the left line and
// rho^r(pi(i)) on the right line, with pi(i) = 9i + 5 mod 16. Deriving the
// order from the two permutations instead of pasting 2 × 80 indices leaves
// nothing to mistype.
inline constexpr int kRho[16] = {7, 4, 13, 1, 10, 6, 15, 3, 12, 0, 9, 5, 2, 14, 11, 8};

constexpr int WordOf(Line line, int round, int i) {
  int w = line == Line::kLeft ? i : (9 * i + 5) % 16;
  for (int r = 0; r < round; ++r) w = kRho[w];
  return w;
}

// Rotation amounts, by round and by the message word being added (not by
// step), as published; both lines share them.
inline constexpr int kShiftByWord[5][16] = {
    {11, 14, 15, 12, 5, 8, 7, 9, 11, 13, 14, 15, 6, 7, 9, 8},
    {12, 13, 11, 15, 6, 9, 9, 7, 12, 15, 11, 13, 7, 8, 7, 7},
    {13, 15, 14, 11, 7, 7, 6, 8, 13, 14, 13, 12, 5, 5, 6, 9},
    {14, 11, 12, 14, 8, 6, 5, 5, 15, 12, 15, 14, 9, 9, 8, 6},
    {15, 12, 13, 13, 9, 5, 8, 6, 14, 11, 12, 11, 8, 6, 5, 5}};

constexpr int ShiftOf(Line line, int round, int i) {
  return kShiftByWord[round][WordOf(line, round, i)];
}

// Left-line additive constants, floor(2^30 × sqrt(n)) for n = 2, 3, 5, 7 after
// a first round without one; the same in both variants. The right-line
// constants differ between the variants and live in each engine.
inline constexpr std::uint32_t kLeftConstant[5] = {0x00000000u, 0x5A827999u, 0x6ED9EBA1u,
                                                  0x8F1BBCDCu, 0xA953FD4Eu};

// Spot checks of the derived orders against the published tables.
static_assert(WordOf(Line::kLeft, 1, 0) == 7 && WordOf(Line::kLeft, 2, 0) == 3 &&
              WordOf(Line::kLeft, 4, 15) == 13);
static_assert(WordOf(Line::kRight, 0, 0) == 5 && WordOf(Line::kRight, 1, 0) == 6 &&
              WordOf(Line::kRight, 4, 15) == 11);

}  // namespace ondrix::ripemd
