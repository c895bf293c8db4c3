// Derives the SHA-2 constants from their rule, in exact integer arithmetic:
//   SHA-256 K      first 32 bits of the fractional parts of the cube roots
//                  of the first 64 primes
//   SHA-512 K      first 64 bits of the same, for the first 80 primes
//   initial values first 32 (SHA-256) or 64 (SHA-512) bits of the fractional
//                  parts of the square roots of the first 8 primes; SHA-384
//                  the 9th to 16th primes
// The first `bits` bits of frac(p^(1/k)) are floor((p * 2^(k*bits))^(1/k))
// mod 2^bits, so an integer root of a few hundred bits gives them exactly;
// no floating point is involved.
// Prints the include file engines/tables/sha2_constants.inc.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Just enough of an unsigned big integer for the roots: 32-bit limbs, least
// significant first. The largest value ever formed is p^1 * 2^192 < 2^201 and
// root candidates cubed stay below twice that, so 320 bits leave headroom;
// an overflow would abort rather than wrap.
class BigUint {
 public:
  static constexpr int kLimbs = 10;

  explicit BigUint(std::uint64_t v = 0) {
    limbs_[0] = std::uint32_t(v);
    limbs_[1] = std::uint32_t(v >> 32);
  }

  BigUint ShiftedLeft(int n) const {
    BigUint out;
    const int whole = n / 32, part = n % 32;
    for (int i = kLimbs - 1; i >= 0; --i) {
      const int from = i - whole;
      if (from < 0) continue;
      std::uint64_t v = std::uint64_t(limbs_[from]) << part;
      if (part && from > 0) v |= std::uint64_t(limbs_[from - 1]) >> (32 - part);
      out.limbs_[i] = std::uint32_t(v);
    }
    if (BitLength() + n > 32 * kLimbs) Overflow();
    return out;
  }

  BigUint operator*(const BigUint& o) const {
    std::array<std::uint64_t, 2 * kLimbs> acc{};
    for (int i = 0; i < kLimbs; ++i) {
      std::uint64_t carry = 0;
      for (int j = 0; j < kLimbs; ++j) {
        const std::uint64_t t = std::uint64_t(limbs_[i]) * o.limbs_[j] + acc[i + j] + carry;
        acc[i + j] = std::uint32_t(t);
        carry = t >> 32;
      }
      acc[i + kLimbs] += carry;
    }
    BigUint out;
    for (int i = 0; i < 2 * kLimbs; ++i) {
      if (i < kLimbs)
        out.limbs_[i] = std::uint32_t(acc[i]);
      else if (acc[i] != 0)
        Overflow();
    }
    return out;
  }

  bool operator<=(const BigUint& o) const {
    for (int i = kLimbs - 1; i >= 0; --i)
      if (limbs_[i] != o.limbs_[i]) return limbs_[i] < o.limbs_[i];
    return true;
  }

  void SetBit(int n) { limbs_[n / 32] |= std::uint32_t(1) << (n % 32); }

  int BitLength() const {
    for (int i = kLimbs - 1; i >= 0; --i)
      for (int b = 31; b >= 0; --b)
        if (limbs_[i] >> b & 1) return 32 * i + b + 1;
    return 0;
  }

  std::uint64_t Low64() const { return std::uint64_t(limbs_[1]) << 32 | limbs_[0]; }

 private:
  [[noreturn]] static void Overflow() {
    std::fprintf(stderr, "gen_sha2_constants: big integer overflow\n");
    std::exit(1);
  }

  std::array<std::uint32_t, kLimbs> limbs_{};
};

BigUint Power(const BigUint& x, int k) {
  BigUint r(1);
  for (int i = 0; i < k; ++i) r = r * x;
  return r;
}

// floor(n^(1/k)), found bit by bit from the top: keep a bit when the
// candidate's k-th power does not exceed n.
BigUint IntegerRoot(const BigUint& n, int k) {
  BigUint root;
  for (int bit = n.BitLength() / k + 1; bit >= 0; --bit) {
    BigUint candidate = root;
    candidate.SetBit(bit);
    if (Power(candidate, k) <= n) root = candidate;
  }
  return root;
}

// The first `bits` bits of the fractional part of p^(1/k).
std::uint64_t FractionBits(std::uint64_t p, int k, int bits) {
  const std::uint64_t whole = IntegerRoot(BigUint(p).ShiftedLeft(k * bits), k).Low64();
  return bits == 64 ? whole : whole & ((std::uint64_t(1) << bits) - 1);
}

std::vector<std::uint64_t> FirstPrimes(std::size_t count) {
  std::vector<std::uint64_t> primes;
  for (std::uint64_t n = 2; primes.size() < count; ++n) {
    bool prime = true;
    for (std::uint64_t d : primes) {
      if (d * d > n) break;
      if (n % d == 0) {
        prime = false;
        break;
      }
    }
    if (prime) primes.push_back(n);
  }
  return primes;
}

void PrintTable(const char* comment, const char* type, const char* name,
                const std::vector<std::uint64_t>& primes, std::size_t first, std::size_t count,
                int k, int bits) {
  std::printf("\n// %s\n", comment);
  std::printf("constexpr std::%s %s[%zu] = {\n", type, name, count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t v = FractionBits(primes[first + i], k, bits);
    if (bits == 32)
      std::printf("%s0x%08Xu,", i % 4 ? " " : "    ", unsigned(v));
    else
      std::printf("%s0x%016llXull,", i % 4 ? " " : "    ", static_cast<unsigned long long>(v));
    if (i % 4 == 3 || i + 1 == count) std::printf("\n");
  }
  std::printf("};\n");
}

}  // namespace

int main() {
  const std::vector<std::uint64_t> primes = FirstPrimes(80);
  std::printf(
      "// Generated by tools/gen_sha2_constants.cpp: leading bits of the fractional parts of\n"
      "// square and cube roots of the first primes, in exact integer arithmetic.\n"
      "// Included at namespace scope, after <cstdint>.\n");
  PrintTable("SHA-256 K: cube roots of the first 64 primes, 32 bits.", "uint32_t", "kSha256K",
             primes, 0, 64, 3, 32);
  PrintTable("SHA-256 initial values: square roots of the first 8 primes, 32 bits.", "uint32_t",
             "kSha256Initial", primes, 0, 8, 2, 32);
  PrintTable("SHA-512 K: cube roots of the first 80 primes, 64 bits.", "uint64_t", "kSha512K",
             primes, 0, 80, 3, 64);
  PrintTable("SHA-384 initial values: square roots of the 9th to 16th primes, 64 bits.",
             "uint64_t", "kSha384Initial", primes, 8, 8, 2, 64);
  PrintTable("SHA-512 initial values: square roots of the first 8 primes, 64 bits.", "uint64_t",
             "kSha512Initial", primes, 0, 8, 2, 64);
  return 0;
}
