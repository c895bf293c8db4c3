// Throughput of every checksum type, two ways:
//   AddData/<key>, Crc32Update/crc32   a 64 MiB buffer in memory, fed in
//                                       8192-byte pieces;
//   HashStream/<key>, CrcOfStream/crc32 the same bytes read from a file that
//                                       sits in the page cache, through the
//                                       readers the program uses.
// Bytes per second are reported by Google Benchmark, on its default clock, the
// thread's CPU time: on a shared machine other processes then cost little.
// A read from the page cache waits for nothing; its copy out of the kernel
// is CPU time of this thread and so counts.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "bench/bench_support.h"
#include "engines/file_stream.h"

namespace ondrix::bench {
namespace {

const std::vector<std::uint8_t>& Message() {
  static const std::vector<std::uint8_t> message = MakeMessage();
  return message;
}

std::filesystem::path& CachedFile() {
  static std::filesystem::path path;
  return path;
}

void ReportBytes(benchmark::State& state) {
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kMessageBytes));
}

void BM_Buffer(benchmark::State& state, const ChecksumTypeInfo* type) {
  std::unique_ptr<TDigest> engine = type->IsCrc() ? nullptr : type->create_engine();
  const std::vector<std::uint8_t>& message = Message();
  for (auto _ : state) {
    std::vector<std::uint8_t> sum =
        OurChecksum(*type, engine.get(), message.data(), message.size());
    benchmark::DoNotOptimize(sum.data());
    benchmark::ClobberMemory();
  }
  ReportBytes(state);
}

// The file's checksum through the program's own readers.
std::vector<std::uint8_t> ChecksumOfFile(const ChecksumTypeInfo& type, TDigest* engine,
                                         std::string* error) {
  FileStream stream(CachedFile());
  if (!stream.IsOpen()) {
    *error = stream.ErrorText();
    return {};
  }
  if (type.IsCrc()) {
    std::atomic<std::int64_t> bytes_read{0};
    return CrcBytes(CrcOfStream(stream, bytes_read));
  }
  std::vector<std::uint8_t> digest(std::size_t(type.digest_bytes));
  engine->BytesHashed.store(0);
  engine->BeginDigest();
  engine->HashStream(stream, stream.Size());
  engine->EndDigest(digest.data());
  if (engine->ReadFailed.load()) {
    *error = engine->ReadError;
    return {};
  }
  return digest;
}

void BM_File(benchmark::State& state, const ChecksumTypeInfo* type) {
  std::unique_ptr<TDigest> engine = type->IsCrc() ? nullptr : type->create_engine();
  std::string error;
  for (auto _ : state) {
    std::vector<std::uint8_t> sum = ChecksumOfFile(*type, engine.get(), &error);
    if (!error.empty()) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(sum.data());
    benchmark::ClobberMemory();
  }
  ReportBytes(state);
}

// Before anything is timed: the file path must give the buffer path's
// answer, or its speed means nothing.
bool FileMatchesBuffer(const ChecksumTypeInfo& type) {
  std::unique_ptr<TDigest> engine = type.IsCrc() ? nullptr : type.create_engine();
  std::string error;
  const auto from_file = ChecksumOfFile(type, engine.get(), &error);
  const auto from_buffer = OurChecksum(type, engine.get(), Message().data(), Message().size());
  if (from_file != from_buffer) {
    std::fprintf(stderr, "%s: file and buffer checksums differ%s%s; file run left out\n",
                 std::string(type.key).c_str(), error.empty() ? "" : ": ", error.c_str());
    return false;
  }
  return true;
}

void RegisterAll() {
  for (const ChecksumTypeInfo& type : ChecksumTypes()) {
    const std::string key(type.key);
    if (!HasEngine(type)) {
      std::fprintf(stderr, "%s: no engine in this build, skipped\n", key.c_str());
      continue;
    }
    const std::string buffer_name = type.IsCrc() ? "Crc32Update/" : "AddData/";
    const std::string file_name = type.IsCrc() ? "CrcOfStream/" : "HashStream/";
    benchmark::RegisterBenchmark((buffer_name + key).c_str(), BM_Buffer, &type)
        ->Unit(benchmark::kMillisecond);
    if (FileMatchesBuffer(type))
      benchmark::RegisterBenchmark((file_name + key).c_str(), BM_File, &type)
          ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace
}  // namespace ondrix::bench

int main(int argc, char** argv) {
  using namespace ondrix::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  CachedFile() = std::filesystem::temp_directory_path() /
                 ("ondrix-bench-" + std::to_string(::getpid()) + ".bin");
  int status = 0;
  try {
    WriteCachedFile(CachedFile(), Message());
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "engines_bench: %s\n", e.what());
    status = 1;
  }
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove(CachedFile(), ec);
  return status;
}
