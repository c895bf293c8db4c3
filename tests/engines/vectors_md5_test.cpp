// MD5 known answers: the RFC 1321 test suite.
#include "tests/engines/engine_test_support.h"

namespace ondrix::test {
namespace {

TEST_P(PublishedVectors, Md5) {
  const char* rfc = "RFC 1321 A.5";
  CheckVectors({
      {"md5", "", 1, "d41d8cd98f00b204e9800998ecf8427e", rfc},
      {"md5", "a", 1, "0cc175b9c0f1b6a831c399e269772661", rfc},
      {"md5", "abc", 1, "900150983cd24fb0d6963f7d28e17f72", rfc},
      {"md5", "message digest", 1, "f96b697d7cb7938d525a2f31aaf161d0", rfc},
      {"md5", "abcdefghijklmnopqrstuvwxyz", 1, "c3fcd3d76192e4007dfb496cca67e13b", rfc},
      {"md5", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", 1,
       "d174ab98d277d9f5a5611c2c9f419d9f", rfc},
      {"md5", "1234567890", 8, "57edf4a22be3c955ac49da2e2107b67a", rfc},
      {"md5", "a", 1000000, "7707d6ae4e027c70eea2a935c2296f21", "NIST/NESSIE million a"},
      // One-block and two-block endings; values from Python's hashlib.
      {"md5", "a", 55, "ef1772b6dff9a122358552954ad0df65", "hashlib"},
      {"md5", "a", 56, "3b0c8ac703f828b04c6c197006d17218", "hashlib"},
      {"md5", "a", 63, "b06521f39153d618550606be297466d5", "hashlib"},
      {"md5", "a", 64, "014842d480b571495a4a0363793f7367", "hashlib"},
  });
}

}  // namespace
}  // namespace ondrix::test
