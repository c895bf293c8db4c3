// Our engines against established libraries on the same machine, in the same
// run, on the same 64 MiB message fed in the same 8192-byte updates. Prints
// one table: per type our MB/s, the fastest peer's MB/s and the ratio.
//
// A peer is timed only after it has given our answer on every check message;
// one that disagrees is reported and left out. Each implementation is timed
// several times on the thread's CPU clock (other processes on a shared
// machine then cost little), the runs interleaved so that what noise remains
// hurts all of them alike, and its best run counts. MB/s means 10^6 bytes per
// second.
//
// Usage: ondrix_peers [repetitions [key...]]   (default 7 runs, every type)

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_support.h"

#ifdef ONDRIX_PEER_OPENSSL
#include <openssl/opensslv.h>
#if !defined(OPENSSL_VERSION_MAJOR) || OPENSSL_VERSION_MAJOR < 3
#error "the OpenSSL peer is written for OpenSSL 3 (providers, EVP_MD_fetch)"
#endif
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/provider.h>
#endif
#ifdef ONDRIX_PEER_GCRYPT
#include <gcrypt.h>
#endif
#ifdef ONDRIX_PEER_RHASH
#include <rhash.h>
#endif
#ifdef ONDRIX_PEER_ZLIB
#include <zlib.h>
#endif
#ifdef ONDRIX_PEER_ISAL
#include <isa-l.h>
#endif
#ifdef ONDRIX_PEER_MHASH
#include <mhash.h>
// mhash's HAVAL core, exported by the library but not declared by its
// headers; the context is opaque here, the buffer below is larger than it.
extern "C" int havalInit(void* context, int passes, int hash_bits);
extern "C" int havalUpdate(void* context, const unsigned char* data, unsigned size);
extern "C" int havalFinal(void* context, unsigned char* digest);
#endif

namespace ondrix::bench {
namespace {

using Bytes = std::vector<std::uint8_t>;
// Checksum of a message, fed in 8192-byte updates.
using SumFunction = std::function<Bytes(const std::uint8_t*, std::size_t)>;

struct Peer {
  std::string library;  // with its version
  std::string entry;    // the algorithm as that library names it
  SumFunction sum;
  // Timed without the check against our answers, because it computes a
  // deliberately different variant at the same cost per byte.
  bool speed_only = false;
};

// Calls `update(piece, size)` over `data` in 8192-byte pieces.
template <class Update>
void InPieces(const std::uint8_t* data, std::size_t size, Update update) {
  for (std::size_t at = 0; at < size; at += kPieceBytes)
    update(data + at, size - at < kPieceBytes ? size - at : kPieceBytes);
}

std::string Hex(const Bytes& bytes) {
  std::string text = DigestToHex(bytes.data(), bytes.size());
  return text.size() > 24 ? text.substr(0, 24) + "…" : text;
}

// ---------------------------------------------------------------- OpenSSL 3
#ifdef ONDRIX_PEER_OPENSSL
bool OpenSslReady() {
  // MD4 lives only in the legacy provider; loading a provider explicitly
  // stops the default one from loading by itself, so both are named.
  static const bool ready = OSSL_PROVIDER_load(nullptr, "legacy") != nullptr &&
                            OSSL_PROVIDER_load(nullptr, "default") != nullptr;
  return ready;
}

Bytes OpenSslSum(const EVP_MD* md, const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex2(ctx.get(), md, nullptr) != 1) return {};
  InPieces(data, size,
           [&](const std::uint8_t* p, std::size_t n) { EVP_DigestUpdate(ctx.get(), p, n); });
  Bytes out(std::size_t(EVP_MD_get_size(md)));
  unsigned int n = 0;
  if (EVP_DigestFinal_ex(ctx.get(), out.data(), &n) != 1) return {};
  out.resize(n);
  return out;
}

void AddOpenSsl(std::vector<Peer>& peers, const char* name, std::vector<std::string>& notes) {
  const std::string library = std::string("OpenSSL ") + OpenSSL_version(OPENSSL_VERSION_STRING);
  static bool told = false;
  if (!OpenSslReady() && !told) {
    notes.push_back(library + ": the legacy or default provider did not load");
    told = true;
  }
  std::shared_ptr<EVP_MD> md(EVP_MD_fetch(nullptr, name, nullptr), EVP_MD_free);
  if (!md) {
    notes.push_back(library + ": " + name + " is not available");
    return;
  }
  peers.push_back({library, std::string("EVP ") + name,
                   [md](const std::uint8_t* data, std::size_t size) {
                     return OpenSslSum(md.get(), data, size);
                   }});
}
#endif

// --------------------------------------------------------------- libgcrypt
#ifdef ONDRIX_PEER_GCRYPT
std::string GcryptLibrary() {
  static const std::string library = [] {
    const char* version = gcry_check_version(nullptr);
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    return std::string("libgcrypt ") + (version ? version : "?");
  }();
  return library;
}

Bytes GcryptSum(int algo, const std::uint8_t* data, std::size_t size) {
  gcry_md_hd_t h = nullptr;
  if (gcry_md_open(&h, algo, 0) != 0) return {};
  InPieces(data, size, [&](const std::uint8_t* p, std::size_t n) { gcry_md_write(h, p, n); });
  const unsigned char* digest = gcry_md_read(h, algo);
  Bytes out(digest, digest + gcry_md_get_algo_dlen(algo));
  gcry_md_close(h);
  return out;
}

void AddGcrypt(std::vector<Peer>& peers, int algo, std::vector<std::string>& notes) {
  const std::string library = GcryptLibrary();
  if (gcry_md_test_algo(algo) != 0) {
    notes.push_back(library + ": " + gcry_md_algo_name(algo) + " is not available");
    return;
  }
  peers.push_back({library, gcry_md_algo_name(algo),
                   [algo](const std::uint8_t* data, std::size_t size) {
                     return GcryptSum(algo, data, size);
                   }});
}
#endif

// ---------------------------------------------------------------- librhash
#ifdef ONDRIX_PEER_RHASH
std::string RhashLibrary() {
  static const std::string library = [] {
    // Its own code, not OpenSSL's through its plugin: OpenSSL is in the
    // table already.
    rhash_set_openssl_mask(0);
    rhash_library_init();
    const unsigned v = unsigned(rhash_get_version());
    return "librhash " + std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." +
           std::to_string((v >> 8) & 0xFF);
  }();
  return library;
}

Bytes RhashSum(unsigned id, const std::uint8_t* data, std::size_t size) {
  rhash ctx = rhash_init(id);
  if (!ctx) return {};
  InPieces(data, size, [&](const std::uint8_t* p, std::size_t n) { rhash_update(ctx, p, n); });
  Bytes out(std::size_t(rhash_get_digest_size(id)));
  rhash_final(ctx, out.data());
  rhash_free(ctx);
  return out;
}

void AddRhash(std::vector<Peer>& peers, unsigned id, std::vector<std::string>& notes) {
  const std::string library = RhashLibrary();
  rhash probe = rhash_init(id);
  if (!probe) {
    notes.push_back(library + ": " + rhash_get_name(id) + " is not available");
    return;
  }
  rhash_free(probe);
  peers.push_back({library, rhash_get_name(id), [id](const std::uint8_t* data, std::size_t size) {
                     return RhashSum(id, data, size);
                   }});
}
#endif

// ------------------------------------------------------- CRC-32 libraries
#ifdef ONDRIX_PEER_ZLIB
// zlib's crc32() takes and returns the finished value: start from 0 and
// chain the results.
Bytes ZlibCrc(const std::uint8_t* data, std::size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  InPieces(data, size, [&](const std::uint8_t* p, std::size_t n) { crc = crc32(crc, p, uInt(n)); });
  return CrcBytes(std::uint32_t(crc));
}

void AddZlib(std::vector<Peer>& peers) {
  peers.push_back({std::string("zlib ") + zlibVersion(), "crc32", ZlibCrc});
}
#endif

#ifdef ONDRIX_PEER_ISAL
// crc32_gzip_refl inverts on entry and on exit, like zlib: seed 0, then chain
// the returned values. (The check messages confirm it.)
Bytes IsalCrc(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0;
  InPieces(data, size,
           [&](const std::uint8_t* p, std::size_t n) { crc = crc32_gzip_refl(crc, p, n); });
  return CrcBytes(crc);
}

void AddIsal(std::vector<Peer>& peers) {
  const std::string library = "ISA-L " + std::to_string(ISAL_MAJOR_VERSION) + "." +
                              std::to_string(ISAL_MINOR_VERSION) + "." +
                              std::to_string(ISAL_PATCH_VERSION);
  peers.push_back({library, "crc32_gzip_refl", IsalCrc});
}
#endif

// ------------------------------------------------------------------ mhash
#ifdef ONDRIX_PEER_MHASH
const char* kMhashLibrary = "mhash 0.9.9.9";

Bytes MhashSum(hashid id, const std::uint8_t* data, std::size_t size) {
  MHASH td = mhash_init(id);
  if (td == MHASH_FAILED) return {};
  InPieces(data, size, [&](const std::uint8_t* p, std::size_t n) { mhash(td, p, mutils_word32(n)); });
  Bytes out(mhash_get_block_size(id));
  mhash_deinit(td, out.data());
  return out;
}

// Published HAVAL with 5 passes and 256 bits: the same block function as
// ours, the published padding byte.
Bytes MhashHaval5(const std::uint8_t* data, std::size_t size) {
  alignas(64) unsigned char context[4096];
  havalInit(context, 5, 256);
  InPieces(data, size, [&](const std::uint8_t* p, std::size_t n) { havalUpdate(context, p, unsigned(n)); });
  Bytes out(32);
  havalFinal(context, out.data());
  return out;
}

void AddMhashHaval(std::vector<Peer>& peers, std::vector<std::string>& notes) {
  // Its empty-message digest must be the published HAVAL-256/5 value, or
  // the pass count did not take.
  const Bytes empty = MhashHaval5(nullptr, 0);
  if (DigestToHex(empty.data(), empty.size()) !=
      "BE417BB4DD5CFB76C7126F4F8EEB1553A449039307B1A3CD451DBFDC0FBBE330") {
    notes.push_back(std::string(kMhashLibrary) + ": havalInit(5, 256) is not HAVAL-256/5; not timed");
    return;
  }
  peers.push_back({kMhashLibrary, "havalInit(5 passes, 256)", MhashHaval5, true});
}
#endif

// The peers of each type, in the order they are listed.
std::vector<Peer> PeersOf(ChecksumType type, [[maybe_unused]] std::vector<std::string>& notes) {
  std::vector<Peer> peers;
  [[maybe_unused]] auto openssl = [&](const char* name) {
#ifdef ONDRIX_PEER_OPENSSL
    AddOpenSsl(peers, name, notes);
#else
    (void)name;
#endif
  };
  [[maybe_unused]] auto gcrypt = [&](int algo) {
#ifdef ONDRIX_PEER_GCRYPT
    AddGcrypt(peers, algo, notes);
#else
    (void)algo;
#endif
  };
  [[maybe_unused]] auto rhash_peer = [&](unsigned id) {
#ifdef ONDRIX_PEER_RHASH
    AddRhash(peers, id, notes);
#else
    (void)id;
#endif
  };
#ifndef ONDRIX_PEER_GCRYPT
  enum { GCRY_MD_MD4, GCRY_MD_MD5, GCRY_MD_SHA1, GCRY_MD_SHA256, GCRY_MD_SHA384, GCRY_MD_SHA512,
         GCRY_MD_RMD160, GCRY_MD_TIGER1, GCRY_MD_CRC32 };
#endif
#ifndef ONDRIX_PEER_RHASH
  enum : unsigned { RHASH_MD4, RHASH_RIPEMD160, RHASH_TIGER, RHASH_CRC32 };
#endif

  switch (type) {
    case ChecksumType::MD4:
      openssl("MD4");
      gcrypt(GCRY_MD_MD4);
      rhash_peer(RHASH_MD4);
      break;
    case ChecksumType::MD5:
      openssl("MD5");
      gcrypt(GCRY_MD_MD5);
      break;
    case ChecksumType::SHA1:
      openssl("SHA1");
      gcrypt(GCRY_MD_SHA1);
      break;
    case ChecksumType::SHA256:
      openssl("SHA256");
      gcrypt(GCRY_MD_SHA256);
      break;
    case ChecksumType::SHA384:
      openssl("SHA384");
      gcrypt(GCRY_MD_SHA384);
      break;
    case ChecksumType::SHA512:
      openssl("SHA512");
      gcrypt(GCRY_MD_SHA512);
      break;
    case ChecksumType::RIPEMD160:
      openssl("RIPEMD160");
      gcrypt(GCRY_MD_RMD160);
      rhash_peer(RHASH_RIPEMD160);
      break;
    case ChecksumType::TIGER:
      // TIGER1 is Tiger in its published byte order; plain TIGER is reversed.
      gcrypt(GCRY_MD_TIGER1);
      rhash_peer(RHASH_TIGER);
      break;
    case ChecksumType::CRC32:
#ifdef ONDRIX_PEER_ZLIB
      AddZlib(peers);
#endif
#ifdef ONDRIX_PEER_ISAL
      AddIsal(peers);
#endif
      gcrypt(GCRY_MD_CRC32);
      rhash_peer(RHASH_CRC32);
      break;
    case ChecksumType::RIPEMD128:
#ifdef ONDRIX_PEER_MHASH
      peers.push_back({kMhashLibrary, "MHASH_RIPEMD128", [](const std::uint8_t* d, std::size_t n) {
                         return MhashSum(MHASH_RIPEMD128, d, n);
                       }});
#endif
      break;
    case ChecksumType::HAVAL:  // ours differs from the published HAVAL in padding only
#ifdef ONDRIX_PEER_MHASH
      AddMhashHaval(peers, notes);
#endif
      break;
  }
  return peers;
}

// Every result lands here, so the work cannot be dropped as unused.
volatile std::uint8_t result_sink;

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double SecondsOf(const SumFunction& sum, const Bytes& message) {
  const double start = ThreadSeconds();
  Bytes out = sum(message.data(), message.size());
  const double stop = ThreadSeconds();
  result_sink = out.empty() ? 0 : out[0];
  return stop - start;
}

// Best-of-`repetitions` MB/s of each function, runs interleaved.
std::vector<double> BestRates(const std::vector<const SumFunction*>& sums, const Bytes& message,
                              int repetitions) {
  std::vector<double> best(sums.size(), 1e300);
  for (int r = 0; r < repetitions; ++r)
    for (std::size_t i = 0; i < sums.size(); ++i)
      best[i] = std::min(best[i], SecondsOf(*sums[i], message));
  std::vector<double> rates;
  for (double s : best) rates.push_back(double(message.size()) / 1e6 / s);
  return rates;
}

// Width on a terminal: UTF-8 continuation bytes take no column.
std::size_t Columns(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

std::string Cell(std::string_view text, std::size_t width, bool right) {
  const std::size_t pad = width > Columns(text) ? width - Columns(text) : 0;
  const std::string spaces(pad, ' ');
  return right ? spaces + std::string(text) : std::string(text) + spaces;
}

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

struct Row {
  std::string type, ours, peer, peer_rate, ratio, others;
};

int Run(int repetitions, const std::vector<std::string>& keys) {
  const Bytes message = MakeMessage();
  // Check messages: empty, short, one with a short last piece, and the
  // timed message itself.
  struct Check {
    std::string label;
    const std::uint8_t* data;
    std::size_t size;
  };
  const std::vector<Check> checks = {
      {"\"\"", message.data(), 0},
      {"\"abc\"", reinterpret_cast<const std::uint8_t*>("abc"), 3},
      {"first 1000003 bytes", message.data(), 1000003},
      {"64 MiB message", message.data(), message.size()},
  };

  std::vector<std::string> notes;
  std::vector<Row> rows;
  for (const ChecksumTypeInfo& type : ChecksumTypes()) {
    if (!keys.empty() && std::find(keys.begin(), keys.end(), type.key) == keys.end()) continue;
    Row row{std::string(type.display_name), "", "—", "—", "—", ""};
    if (!HasEngine(type)) {
      row.ours = "no engine";
      rows.push_back(row);
      continue;
    }
    std::shared_ptr<TDigest> engine(type.IsCrc() ? nullptr : type.create_engine().release());
    const SumFunction ours = [&type, engine](const std::uint8_t* data, std::size_t size) {
      return OurChecksum(type, engine.get(), data, size);
    };

    std::vector<Bytes> answers;
    for (const Check& check : checks) answers.push_back(ours(check.data, check.size));
    std::vector<Peer> agreeing;
    for (Peer& peer : PeersOf(type.type, notes)) {
      if (peer.speed_only) {
        notes.push_back(row.type + ": " + peer.library + " (" + peer.entry +
                        ") is timed for speed only; it computes the published variant");
        agreeing.push_back(std::move(peer));
        continue;
      }
      std::string disagreement;
      for (std::size_t c = 0; c < checks.size() && disagreement.empty(); ++c) {
        const Bytes got = peer.sum(checks[c].data, checks[c].size);
        if (got != answers[c])
          disagreement = checks[c].label + ": ours " + Hex(answers[c]) + ", peer " + Hex(got);
      }
      if (disagreement.empty())
        agreeing.push_back(std::move(peer));
      else
        notes.push_back(row.type + ": " + peer.library + " (" + peer.entry + ") DISAGREES on " +
                        disagreement + "; not timed");
    }

    std::vector<const SumFunction*> sums = {&ours};
    for (const Peer& peer : agreeing) sums.push_back(&peer.sum);
    std::fprintf(stderr, "timing %s (%zu implementation%s)...\n", row.type.c_str(), sums.size(),
                 sums.size() == 1 ? "" : "s");
    const std::vector<double> rates = BestRates(sums, message, repetitions);
    row.ours = Fixed(rates[0], 1);
    if (rates.size() > 1) {
      const auto fastest = std::max_element(rates.begin() + 1, rates.end());
      const std::size_t best = std::size_t(fastest - rates.begin());
      row.peer = agreeing[best - 1].library;
      row.peer_rate = Fixed(rates[best], 1);
      row.ratio = Fixed(rates[0] / rates[best], 2);
      for (std::size_t i = 1; i < rates.size(); ++i)
        if (i != best)
          row.others += (row.others.empty() ? "" : ", ") + agreeing[i - 1].library + " " +
                        Fixed(rates[i], 1);
    }
    rows.push_back(row);
  }

  const Row head{"type", "ours MB/s", "best peer", "peer MB/s", "ours/peer", "other peers (MB/s)"};
  std::size_t w[5] = {};
  auto widen = [&](const Row& r) {
    w[0] = std::max(w[0], Columns(r.type));
    w[1] = std::max(w[1], Columns(r.ours));
    w[2] = std::max(w[2], Columns(r.peer));
    w[3] = std::max(w[3], Columns(r.peer_rate));
    w[4] = std::max(w[4], Columns(r.ratio));
  };
  widen(head);
  for (const Row& r : rows) widen(r);
  auto print = [&](const Row& r) {
    std::string line = Cell(r.type, w[0], false) + "  " + Cell(r.ours, w[1], true) + "  " +
                       Cell(r.peer, w[2], false) + "  " + Cell(r.peer_rate, w[3], true) + "  " +
                       Cell(r.ratio, w[4], true) + "  " + r.others;
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
  };

  std::printf("%zu MiB message in %zu-byte updates, best of %d runs each; MB/s = 10^6 bytes/s\n\n",
              kMessageBytes >> 20, kPieceBytes, repetitions);
  print(head);
  for (const Row& r : rows) print(r);
  if (!notes.empty()) {
    std::printf("\n");
    for (const std::string& note : notes) std::printf("note: %s\n", note.c_str());
  }
  return 0;
}

}  // namespace
}  // namespace ondrix::bench

int main(int argc, char** argv) {
  int repetitions = 7;
  if (argc > 1) repetitions = std::atoi(argv[1]);
  if (repetitions < 1) {
    std::fprintf(stderr, "usage: %s [repetitions [key...]]\n", argv[0]);
    return 2;
  }
  return ondrix::bench::Run(repetitions, std::vector<std::string>(argv + std::min(argc, 2), argv + argc));
}
