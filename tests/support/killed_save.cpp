#include "support/killed_save.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <vector>

#include "common/file_io.h"

namespace vx::test {
namespace {

void put(const std::filesystem::path& file, const std::optional<std::string>& bytes) {
  std::error_code ec;
  if (bytes) {
    ASSERT_TRUE(writeFileAtomic(file, *bytes));
  } else {
    std::filesystem::remove(file, ec);
  }
}

// Runs `save` in a child process, killed after `killAfter` microseconds (or
// left to finish), and returns what the file holds afterwards.
std::optional<std::string> runSave(const std::function<void()>& save, const std::filesystem::path& file,
                                   std::optional<useconds_t> killAfter, const SavedContent& read) {
  const pid_t child = fork();
  if (child == 0) {
    save();
    _exit(0);
  }
  if (killAfter) {
    usleep(*killAfter);
    kill(child, SIGKILL);
  }
  waitpid(child, nullptr, 0);
  return read(file);
}

// How long an unkilled save takes on this machine, now: the median of a few
// runs, so the kill moments span the save on a busy machine as on an idle one.
useconds_t measuredSaveTime(const std::function<void()>& save, const std::filesystem::path& file,
                            const std::optional<std::string>& original) {
  std::vector<long long> times;
  for (int run = 0; run < 5; ++run) {
    put(file, original);
    const auto start = std::chrono::steady_clock::now();
    runSave(save, file, std::nullopt, fileBytes);
    times.push_back(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return static_cast<useconds_t>(std::max(100LL, times[times.size() / 2]));
}

}  // namespace

std::optional<std::string> fileBytes(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  return readFileBytes(file);
}

void killDuring(const std::string& kind, const std::filesystem::path& file, const std::function<void()>& save,
                const SavedContent& read, int runs) {
  SCOPED_TRACE(kind);
  const std::optional<std::string> original = fileBytes(file);
  const std::optional<std::string> before = read(file);
  const std::optional<std::string> after = runSave(save, file, std::nullopt, read);
  ASSERT_TRUE(after) << "the save wrote nothing";
  ASSERT_NE(before, after) << "the save changed nothing";
  const useconds_t saveTime = measuredSaveTime(save, file, original);
  std::mt19937 random(7139);
  std::uniform_int_distribution<useconds_t> moment(0, saveTime + saveTime / 4);
  int sawNew = 0;
  for (int run = 0; run < runs; ++run) {
    put(file, original);
    const auto now = runSave(save, file, moment(random), read);
    ASSERT_TRUE(now == before || now == after)
        << "run " << run << ": " << (now ? std::to_string(now->size()) + " bytes" : "no file");
    sawNew += now == after ? 1 : 0;
    RemoveStaleTemporaries(file.parent_path());
  }
  std::cout << kind << ": a save takes " << saveTime << " us; " << runs - sawNew << " kills left the old file, "
            << sawNew << " the new one\n";
}

}  // namespace vx::test
