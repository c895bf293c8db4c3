// Hardware paths. An engine with instructions of its own on some processors
// lists its ways of computing, fastest first and the portable code last; the
// fastest one the host can run is taken, unless a path is forced:
//
//   ONDRIX_ENGINE_PATH=portable   every engine on its portable code
//   ONDRIX_ENGINE_PATH=<name>     that path where an engine has it and the
//                                 processor runs it; elsewhere the default
//
// The variable is read once, at the first engine use. Tests force paths one
// after the other with ForceEnginePath.
#pragma once

#include <atomic>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engines/cpu_features.h"

namespace ondrix {

template <class Fn>
struct EnginePath {
  std::string_view name;
  bool (*usable)(const CpuFeatures&);
  Fn fn;
};

inline bool AlwaysUsable(const CpuFeatures&) { return true; }
inline constexpr std::string_view kPortablePath = "portable";

// The forced path name, empty when none is.
std::string_view ForcedEnginePath();
// Test hook: forces `name` ("" returns to the automatic choice) for engines
// created and CRC updates made afterwards. Call it only while nothing hashes.
void ForceEnginePath(std::string_view name);
// Changes whenever the forced path does, so cached choices are made again.
unsigned EnginePathEpoch();

template <class Fn>
const EnginePath<Fn>& PickPath(std::span<const EnginePath<Fn>> paths) {
  const CpuFeatures& cpu = HostCpu();
  const std::string_view forced = ForcedEnginePath();
  if (!forced.empty())
    for (const auto& p : paths)
      if (p.name == forced && p.usable(cpu)) return p;
  for (const auto& p : paths)
    if (p.usable(cpu)) return p;
  return paths.back();
}

// A choice made once and kept until the forced path changes: for a routine
// called per block rather than per engine.
template <class Fn>
class CachedPath {
 public:
  const EnginePath<Fn>& Get(std::span<const EnginePath<Fn>> paths) {
    const unsigned epoch = EnginePathEpoch();
    if (epoch_.load(std::memory_order_acquire) != epoch) {
      index_.store(std::size_t(&PickPath(paths) - paths.data()), std::memory_order_relaxed);
      epoch_.store(epoch, std::memory_order_release);
    }
    return paths[index_.load(std::memory_order_relaxed)];
  }

 private:
  std::atomic<unsigned> epoch_{0};
  std::atomic<std::size_t> index_{0};
};

// Every path of every type, for tests and tools: the type's key, the path's
// name and whether this processor runs it.
struct EnginePathRow {
  std::string_view type_key;
  std::string_view path;
  bool usable;
};
std::vector<EnginePathRow> AllEnginePaths();

template <class Fn>
void AppendPathRows(std::vector<EnginePathRow>& rows, std::string_view key,
                    std::span<const EnginePath<Fn>> paths) {
  for (const auto& p : paths) rows.push_back({key, p.name, p.usable(HostCpu())});
}

}  // namespace ondrix
