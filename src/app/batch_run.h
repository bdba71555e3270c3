#pragma once
// Runs the duties of a batch: each row on a fresh Session, as a person would
// enter it (the conditions, the heat balance, then the automatic design, the
// design of a named model or a check), rows in parallel, results in input
// order.
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/batch_duties.h"
#include "app/batch_results.h"

namespace vx {

class Session;

// Types the duty into the session's conditions window and runs the heat
// balance, then opens the design window and runs the row's design command,
// all through the windows' controls. False with `problem` set when the row
// names something the windows do not offer (a medium, a model); the
// windows' own refusals show as their messages.
bool EnterDuty(Session& session, const Duty& duty, std::string& problem);
bool DesignDuty(Session& session, const Duty& duty, std::string& problem);

// One row on a fresh session of the data folder: row number `row` from 1.
BatchResult RunDuty(const std::filesystem::path& dataDir, const Duty& duty, int row);

// A batch running on worker threads. The rows are taken in order; a
// cancelled batch finishes the rows in flight and starts no more.
class BatchRun {
 public:
  // `threads` 0: one per core.
  BatchRun(std::filesystem::path dataDir, std::vector<Duty> duties, int threads = 0);
  ~BatchRun();
  BatchRun(const BatchRun&) = delete;
  BatchRun& operator=(const BatchRun&) = delete;

  void start();
  void cancel();
  // Waits until every worker has stopped.
  void wait();
  bool finished() const { return running_.load() == 0 && started_; }
  bool cancelled() const { return cancel_.load(); }
  int total() const { return static_cast<int>(duties_.size()); }
  int done() const { return done_.load(); }
  // Row i (from 0) once it has run.
  bool ready(int i) const { return ready_[static_cast<size_t>(i)].load(std::memory_order_acquire); }
  const BatchResult& result(int i) const { return results_[static_cast<size_t>(i)]; }
  const Duty& duty(int i) const { return duties_[static_cast<size_t>(i)]; }

 private:
  void work();

  std::filesystem::path dataDir_;
  std::vector<Duty> duties_;
  int threads_;
  std::vector<BatchResult> results_;
  std::vector<std::atomic<bool>> ready_;
  std::vector<std::thread> workers_;
  std::atomic<int> next_{0};
  std::atomic<int> done_{0};
  std::atomic<int> running_{0};
  std::atomic<bool> cancel_{false};
  bool started_ = false;
};

// The whole batch, waited for: the results in input order.
std::vector<BatchResult> RunBatch(const std::filesystem::path& dataDir, const std::vector<Duty>& duties,
                                  int threads = 0);

}  // namespace vx
