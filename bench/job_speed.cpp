// The window's worker on one file, timed from outside: starts the
// calculation job on FILE as the program does (on Windows with the Win32
// file opener and read canceller the window hands it), waits for it the way
// the window's timer does, and prints the checksum. Run under hyperfine by
// bench/end_to_end.sh beside ondrix-sum on the same file, so that a slower
// worker, or a slower Windows read path, shows as a ratio.
//
// Usage: ondrix_job_speed TYPE FILE     (TYPE as ondrix-sum's -t, e.g. sha256)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "engines/checksum_types.h"
#include "job/calc_job.h"
#include "text/utf.h"

#ifdef _WIN32
#include "win/file_stream.h"
#endif

namespace {

int Run(const std::string& key, const std::filesystem::path& file) {
  const ondrix::ChecksumTypeInfo* type = ondrix::FindTypeByKey(key);
  if (type == nullptr) {
    std::fprintf(stderr, "ondrix_job_speed: unknown type \"%s\"\n", key.c_str());
    return 2;
  }
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error) {
    std::fprintf(stderr, "ondrix_job_speed: %s\n", error.message().c_str());
    return 1;
  }
  ondrix::CalcJob job;
#ifdef _WIN32
  job.OpenStream = ondrix::OpenFileStream;
  job.MakeReadCanceller = ondrix::ReadCancellerForThisThread;
#endif
  job.SelectedFilePath = file.wstring();
  job.SelectedFileSize = std::int64_t(size);
  job.SelectedType = type->type;
  job.Start();
  // The window looks at the job on a timer; so does this.
  while (job.Outcome() == ondrix::JobOutcome::Running)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  job.JoinWorker();
  if (job.Outcome() != ondrix::JobOutcome::Completed) {
    std::fprintf(stderr, "ondrix_job_speed: %s\n", ondrix::WideToUtf8(job.FailureText).c_str());
    return 1;
  }
  std::printf("%s\n", ondrix::WideToUtf8(job.ResultChecksum).c_str());
  return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ondrix_job_speed TYPE FILE\n");
    return 2;
  }
  return Run(ondrix::WideToUtf8(argv[1]), std::filesystem::path(argv[2]));
}
#else
int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ondrix_job_speed TYPE FILE\n");
    return 2;
  }
  return Run(argv[1], std::filesystem::path(argv[2]));
}
#endif
