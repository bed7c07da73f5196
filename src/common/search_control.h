#pragma once
// How whoever runs a long search talks to it: a stop flag that another thread may set, an
// optional deadline, and numeric progress. Every engine takes one as `const SearchControl&`;
// the owner (a window, the command line, a test) keeps the non-const object and may call
// RequestStop() from any thread. Progress is numbers only: formatting it is the caller's job.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace tvx {

// One progress report. Which fields an engine fills depends on the engine: the standard
// searches count iterations or passes, the optimising ones also report costs and bounds.
struct SearchProgress {
    std::int64_t iteration = 0;        // the counter the window shows (iteration, pass)
    std::optional<double> bestCost;    // best complete result so far, in the engine's units
    std::optional<double> lowerBound;  // proven bound on the best possible result
};

class SearchControl {
  public:
    using Clock = std::chrono::steady_clock;

    SearchControl() = default;
    SearchControl(const SearchControl&) = delete;
    SearchControl& operator=(const SearchControl&) = delete;

    // Asks the search to stop at its next stopping point. Safe from any thread.
    void RequestStop() const noexcept { stop_.store(true, std::memory_order_relaxed); }
    // Makes a control reusable for the next search.
    void ClearStop() noexcept { stop_.store(false, std::memory_order_relaxed); }

    void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
    // A limit of 0 or less, or one that is not a number, means no deadline.
    void SetTimeLimit(double seconds) {
        if (seconds > 0.0 && seconds < 1e9) {
            deadline_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(seconds));
        } else {
            deadline_.reset();
        }
    }
    std::optional<Clock::time_point> Deadline() const { return deadline_; }

    bool StopRequested() const noexcept { return stop_.load(std::memory_order_relaxed); }
    bool DeadlinePassed() const { return deadline_ && Clock::now() >= *deadline_; }
    // What an engine polls at its stopping points: a stop request or a passed deadline.
    bool ShouldStop() const { return StopRequested() || DeadlinePassed(); }

    // Called on the engine's thread; a window forwards it by a queued signal.
    std::function<void(const SearchProgress&)> onProgress;
    void Report(const SearchProgress& progress) const {
        if (onProgress) onProgress(progress);
    }

  private:
    // mutable: the engine sees the control as const, but a const holder (for example a
    // window handing its control to a worker) may still request a stop.
    mutable std::atomic<bool> stop_{false};
    std::optional<Clock::time_point> deadline_;
};

}  // namespace tvx
