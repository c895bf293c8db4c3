// Published answers for SHA-1, SHA-256, SHA-384 and SHA-512, plus the lengths
// around the one-block/two-block padding boundary.
#include <string_view>
#include <vector>

#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

constexpr std::string_view kTwoBlock56 = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
constexpr std::string_view kTwoBlock112 =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqr"
    "lmnopqrsmnopqrstnopqrstu";

// 128 distinct-looking bytes, no period shorter than the text: its prefixes
// put the padding byte and the length on either side of the boundary.
constexpr std::string_view kEdge =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+/"
    "ZYXWVUTSRQPONMLKJIHGFEDCBAzyxwvutsrqponmlkjihgfedcba9876543210-_";

constexpr std::string_view kFips = "FIPS 180-2 appendix example";
constexpr std::string_view kCavpEmpty = "NIST CAVP SHAVS ShortMsg, Len = 0";
constexpr std::string_view kPeer = "OpenSSL 3 `openssl dgst`, agrees with python hashlib";

TEST_P(PublishedVectors, Sha) {
  static_assert(kEdge.size() == 128 && kTwoBlock112.size() == 112);
  CheckVectors({
      {"sha1", "", 1, "da39a3ee5e6b4b0d3255bfef95601890afd80709", kCavpEmpty},
      {"sha1", "abc", 1, "a9993e364706816aba3e25717850c26c9cd0d89d", kFips},
      {"sha1", kTwoBlock56, 1, "84983e441c3bd26ebaae4aa1f95129e5e54670f1", kFips},
      {"sha1", "a", 1000000, "34aa973cd4c4daa4f61eeb2bdbad27316534016f", kFips},
      {"sha1", kEdge.substr(0, 55), 1, "ed8b55273b7180b9a64b763ffd802939834d6d6c", kPeer},
      {"sha1", kEdge.substr(0, 56), 1, "329c9c4de87d10dec65d56fdfb41da089cbf2a62", kPeer},
      {"sha1", kEdge.substr(0, 63), 1, "2b9d89e4a298c6327774d86067983596ca2a920a", kPeer},
      {"sha1", kEdge.substr(0, 64), 1, "dcbaf0c26c14c983b97ac55510c62f00e9c78505", kPeer},

      {"sha256", "", 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
       kCavpEmpty},
      {"sha256", "abc", 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
       kFips},
      {"sha256", kTwoBlock56, 1,
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1", kFips},
      {"sha256", "a", 1000000,
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", kFips},
      {"sha256", kEdge.substr(0, 55), 1,
       "d74ba075e4259c6c807c4101e66d281096cf9ff14ba01260dee741b1bdaef326", kPeer},
      {"sha256", kEdge.substr(0, 56), 1,
       "8fb605eab2efae3d1fcc881fa5c5dd6219a17ca3663e46642ff566847c24c272", kPeer},
      {"sha256", kEdge.substr(0, 63), 1,
       "f97180402a8be89995e76ea31770110e54ef0b8f1eb2022065af9201bfc85c86", kPeer},
      {"sha256", kEdge.substr(0, 64), 1,
       "e5b38ac5aa22fee56fe7095e076e74c03ce60d2ea43b818d0f7b4252faf32e5a", kPeer},

      {"sha384", "", 1,
       "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da"
       "274edebfe76f65fbd51ad2f14898b95b",
       kCavpEmpty},
      {"sha384", "abc", 1,
       "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed"
       "8086072ba1e7cc2358baeca134c825a7",
       kFips},
      {"sha384", kTwoBlock112, 1,
       "09330c33f71147e83d192fc782cd1b4753111b173b3b05d22fa08086e3b0f712"
       "fcc7c71a557e2db966c3e9fa91746039",
       kFips},
      {"sha384", "a", 1000000,
       "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b"
       "07b8b3dc38ecc4ebae97ddd87f3d8985",
       kFips},
      {"sha384", kEdge.substr(0, 111), 1,
       "f1311ec7ef301826fb37236650ff24e2b4351af4a4ea3eeac58a1396416a41a8"
       "7aeacbe40d6a78b55b085b9408f0104e",
       kPeer},
      {"sha384", kEdge.substr(0, 112), 1,
       "1a1d140fc3a5c30fcaadc9fc233a9e70432f247d8a86d3f8f8f6a82f14e1881c"
       "8c54476e714667ec418d8b9c768609aa",
       kPeer},
      {"sha384", kEdge.substr(0, 127), 1,
       "25992e7d9dec730be57f859691e90503bbd956146e3fc34c74415d4a9c9c5c16"
       "065715bb0d5e7b90a9acc871327d1618",
       kPeer},
      {"sha384", kEdge, 1,
       "cefb4a05f96d0434c9b04abc251e9bc03f1c36851bd4ab3ce800aeda26c2a996"
       "0720d6e38de71ae834a8375959e774cd",
       kPeer},

      {"sha512", "", 1,
       "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce"
       "47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e",
       kCavpEmpty},
      {"sha512", "abc", 1,
       "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
       "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f",
       kFips},
      {"sha512", kTwoBlock112, 1,
       "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018"
       "501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909",
       kFips},
      {"sha512", "a", 1000000,
       "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973eb"
       "de0ff244877ea60a4cb0432ce577c31beb009c5c2c49aa2e4eadb217ad8cc09b",
       kFips},
      {"sha512", kEdge.substr(0, 111), 1,
       "fc45c06a4a677b8c39a38d3b7613b07a3863395c49b024e4a6b32739b922f103"
       "96be127cf2e23d5122b182041e0c93b1e16ebe57a94544debc5788c0ae0f9eef",
       kPeer},
      {"sha512", kEdge.substr(0, 112), 1,
       "92254587e6fd53eca349e62d0f25fe46ceaf284f5dad9509aab7caa2ab4b9345"
       "33b4ee68f24344724ebfcff599476f0ed2431246353d0c855762b1739f32c1be",
       kPeer},
      {"sha512", kEdge.substr(0, 127), 1,
       "ae92e2f98dcfad793caff6d34a15f9efe3558f4c779158f069b3ce40a8fdbe8f"
       "1b5442ab34047d819253c37d0a35f1f6586059617bfb47ad7802d34001879c33",
       kPeer},
      {"sha512", kEdge, 1,
       "c603f13f2f29b792f92b56ffe5c14c9356f0374cdf7a05879fa50597bbfb4f5f"
       "e2f0eee64fefcf696fa5f6753a2fe144ef4104141d5047ae9cee914854c52176",
       kPeer},
  });
}

}  // namespace
}  // namespace ondrix::test
