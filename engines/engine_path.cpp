#include "engines/engine_path.h"

#include <cstdlib>

#include "engines/checksum_types.h"
#include "engines/crc32.h"
#include "engines/digest.h"

namespace ondrix {
namespace {

struct Forced {
  explicit Forced(const char* env) : name(env ? env : "") {}
  std::string name;
  std::atomic<unsigned> epoch{1};
};

Forced& State() {
  static Forced forced(std::getenv("ONDRIX_ENGINE_PATH"));
  return forced;
}

}  // namespace

std::string_view ForcedEnginePath() { return State().name; }

void ForceEnginePath(std::string_view name) {
  Forced& f = State();
  f.name = std::string(name);
  f.epoch.fetch_add(1, std::memory_order_acq_rel);
}

std::vector<EnginePathRow> AllEnginePaths() {
  std::vector<EnginePathRow> rows;
  for (const ChecksumTypeInfo& type : ChecksumTypes()) {
    if (type.IsCrc())
      AppendCrc32Paths(rows);
    else
      type.create_engine()->AppendPaths(rows, type.key);
  }
  return rows;
}

unsigned EnginePathEpoch() { return State().epoch.load(std::memory_order_acquire); }

}  // namespace ondrix
