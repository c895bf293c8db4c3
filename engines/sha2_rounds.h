// The SHA-2 compression rounds, shared by SHA-256 (32-bit words, 64 steps)
// and SHA-384/512 (64-bit words, 80 steps): the same functions with other
// rotation counts and constants. `Params` gives the word type, the round
// constants K and the rotation counts of the four sigma functions.
#pragma once

#include <cstdint>
#include <utility>

#include "engines/byte_order.h"

namespace ondrix::sha2 {

template <int N, class W>
constexpr W Rotr(W x) {
  static_assert(N > 0 && N < int(8 * sizeof(W)));
  return (x >> N) | (x << (8 * sizeof(W) - N));
}

template <class Params>
struct Rounds {
  using W = typename Params::Word;

  static W Ch(W x, W y, W z) { return z ^ (x & (y ^ z)); }
  static W Maj(W x, W y, W z) { return (x & y) | (z & (x | y)); }
  static W BigSigma0(W x) {
    return Rotr<Params::kBig0[0]>(x) ^ Rotr<Params::kBig0[1]>(x) ^ Rotr<Params::kBig0[2]>(x);
  }
  static W BigSigma1(W x) {
    return Rotr<Params::kBig1[0]>(x) ^ Rotr<Params::kBig1[1]>(x) ^ Rotr<Params::kBig1[2]>(x);
  }
  static W SmallSigma0(W x) {
    return Rotr<Params::kSmall0[0]>(x) ^ Rotr<Params::kSmall0[1]>(x) ^ (x >> Params::kSmall0[2]);
  }
  static W SmallSigma1(W x) {
    return Rotr<Params::kSmall1[0]>(x) ^ Rotr<Params::kSmall1[1]>(x) ^ (x >> Params::kSmall1[2]);
  }

  // W[t]: the 16 message words, then each later word derived in place in a
  // ring of 16, so the schedule never needs more than the block's own words.
  template <int t>
  static W Schedule(W (&w)[16]) {
    if constexpr (t >= 16)
      w[t & 15] += SmallSigma1(w[(t - 2) & 15]) + w[(t - 7) & 15] + SmallSigma0(w[(t - 15) & 15]);
    return w[t & 15];
  }

  // One step: d += T1, h = T1 + T2. The eight working words then move one
  // place; callers rotate the arguments instead.
  // Forced inline, like the groups below: the unrolled block function grows
  // past the compiler's own inlining limits, and a call per step would send
  // the working words through memory.
  template <int t>
  [[gnu::always_inline]] static inline void Step(W a, W b, W c, W& d, W e, W f, W g, W& h,
                                                 W (&w)[16]) {
    const W t1 = h + BigSigma1(e) + Ch(e, f, g) + Params::kK[t] + Schedule<t>(w);
    d += t1;
    h = t1 + BigSigma0(a) + Maj(a, b, c);
  }

  // Eight steps bring the working words back to their starting places.
  template <int t>
  [[gnu::always_inline]] static inline void EightSteps(W (&s)[8], W (&w)[16]) {
    auto& [a, b, c, d, e, f, g, h] = s;
    Step<t>(a, b, c, d, e, f, g, h, w);
    Step<t + 1>(h, a, b, c, d, e, f, g, w);
    Step<t + 2>(g, h, a, b, c, d, e, f, w);
    Step<t + 3>(f, g, h, a, b, c, d, e, w);
    Step<t + 4>(e, f, g, h, a, b, c, d, w);
    Step<t + 5>(d, e, f, g, h, a, b, c, w);
    Step<t + 6>(c, d, e, f, g, h, a, b, w);
    Step<t + 7>(b, c, d, e, f, g, h, a, w);
  }

  // The whole block: message words big-endian, all steps unrolled, then the
  // feed-forward into the chaining values.
  template <int... group>
  [[gnu::always_inline]] static inline void Compress(W* h, const std::uint8_t* p,
                                                     std::integer_sequence<int, group...>) {
    W w[16];
    for (int i = 0; i < 16; ++i) {
      if constexpr (sizeof(W) == 4)
        w[i] = load32_be(p + 4 * i);
      else
        w[i] = load64_be(p + 8 * i);
    }
    W s[8] = {h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7]};
    (EightSteps<8 * group>(s, w), ...);
    for (int i = 0; i < 8; ++i) h[i] += s[i];
  }
};

}  // namespace ondrix::sha2
