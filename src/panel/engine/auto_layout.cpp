// AutoLayout: the search around the first-fit placement. For every mix of larger stock sizes
// (an odometer over the size slots) twelve runs place all parts in three orderings, two pass
// shapes and two orientation preferences; each completed run is scored by waste or cost, then
// by consumption, then by cut count (IsBetter), and the best layout is kept.

#include "auto_layout.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/number_text.h"
#include "panel/engine/geometry.h"
#include "panel/engine/orderings.h"
#include "panel/engine/placement.h"
#include "panel/engine/run_scoring.h"

namespace tvx::panel {
namespace {

// A layout as the search keeps it: sizes and placements per panel position.
struct SavedLayout {
    std::vector<std::int16_t> sizes;
    std::vector<std::vector<Placement>> placements;
    std::int32_t lastPanel = -1;
};

// Placements between two looks at the stop flag inside a run.
constexpr std::int64_t kPlacementsPerStopCheck = 64;

class LayoutSearch {
  public:
    LayoutSearch(const LayoutInput& input, const LayoutOptions& options,
                 const SearchControl& control)
        : input_(input),
          control_(control),
          fullPanelPercent_(options.fullPanelPercent),
          n_(input.lastSizeIndex),
          lastRow_(input.lastRow()),
          panelCount_(static_cast<std::size_t>(std::max(input.panelCapacity, 0)) + 1),
          orderings_(BuildOrderings(input)) {
        for (const PartRow& row : input.rows) totalPartArea_ += Area(row) * row.quantity;
        for (int r = 0; r <= lastRow_; ++r)
            if (input.rows[static_cast<std::size_t>(r)].turnFlag == 1) anyTurnable_ = true;
    }

    std::optional<PanelLayoutResult> Run();

  private:
    static double Area(const PartRow& row) {
        return static_cast<double>(row.enlargedHeight) * row.enlargedWidth;
    }
    std::int16_t SlotOf(std::int16_t sizeIndex) const {
        return sizeIndex < 0 ? kSlotCount : input_.sizeSlot[static_cast<std::size_t>(sizeIndex)];
    }
    const StockSize& SizeOf(std::int16_t sizeIndex) const {
        return input_.sizes[static_cast<std::size_t>(sizeIndex)];
    }

    // The best primary score of the iteration's complete runs; nothing without one.
    std::optional<double> RunStrategies();
    // True (and remembered) once the control asks the search to stop.
    bool StopNow() {
        if (!stopped_ && control_.ShouldStop()) stopped_ = true;
        return stopped_;
    }
    void AssignPanelSizes();
    void ResetWorkingState();
    bool PlaceAll(const std::vector<int>& ordering, bool paired, bool turnedFirst,
                  PartPlacer& placer);
    SavedLayout Save(std::int32_t lastPanel) const;
    void Restore(const SavedLayout& saved);
    void SortPanelsBySlot(std::int32_t lastPanel);
    bool SlotUsedNonZero(int slot) const {
        return !slotUsed_ || (*slotUsed_)[static_cast<std::size_t>(slot)] != 0;
    }

    const LayoutInput& input_;
    const SearchControl& control_;
    const std::int16_t fullPanelPercent_;
    const int n_;
    const int lastRow_;
    const std::size_t panelCount_;  // positions 0..P
    const Orderings orderings_;
    double totalPartArea_ = 0.0;
    bool anyTurnable_ = false;

    std::vector<PanelState> panels_;
    std::vector<std::int16_t> assignedSizes_;
    std::vector<std::int64_t> remaining_;
    SlotCounts slotLimit_{};
    SlotCounts slotCount_{};
    // Used panels per slot of the best run of the last iteration that completed one; unknown
    // (and counted as non-zero) until then.
    std::optional<SlotCounts> slotUsed_;
    int fitSlot_ = 0;
    std::int32_t iterationLastPanel_ = -1;
    bool stopped_ = false;
    std::int64_t placementsSinceStopCheck_ = 0;
};

void LayoutSearch::AssignPanelSizes() {
    SlotCounts left = slotCount_;
    assignedSizes_.assign(panelCount_, -1);
    for (std::size_t position = 0; position < panelCount_; ++position) {
        for (int slot = 0; slot <= kSmallestSlot; ++slot) {
            if (left[static_cast<std::size_t>(slot)] > 0) {
                --left[static_cast<std::size_t>(slot)];
                assignedSizes_[position] = input_.slotSize[static_cast<std::size_t>(slot)];
                break;
            }
        }
    }
}

void LayoutSearch::ResetWorkingState() {
    panels_.resize(panelCount_);
    for (std::size_t position = 0; position < panelCount_; ++position) {
        PanelState& panel = panels_[position];
        panel.sizeIndex = assignedSizes_[position];
        panel.placements.clear();
        panel.freeRects.clear();
        if (panel.sizeIndex < 0) {
            panel.freeRects.push_back({0, 0, 0, 0});
        } else {
            const StockSize& size = SizeOf(panel.sizeIndex);
            panel.freeRects.push_back({0, 0, size.enlargedWidth, size.enlargedHeight});
        }
    }
    remaining_.assign(static_cast<std::size_t>(lastRow_ + 2), 0);
    for (int r = 0; r <= lastRow_; ++r)
        remaining_[static_cast<std::size_t>(r)] = input_.rows[static_cast<std::size_t>(r)].quantity;
}

bool LayoutSearch::PlaceAll(const std::vector<int>& ordering, bool paired, bool turnedFirst,
                            PartPlacer& placer) {
    auto placeAllCopies = [&](int row) {
        std::int64_t& left = remaining_[static_cast<std::size_t>(row)];
        while (left > 0) {
            if (++placementsSinceStopCheck_ >= kPlacementsPerStopCheck) {
                placementsSinceStopCheck_ = 0;
                if (StopNow()) return false;  // the run is cut short and discarded
            }
            const bool placed =
                turnedFirst ? placer.PlacePartTurnedFirst(row) : placer.PlacePart(row);
            if (!placed) return false;
            --left;
        }
        return true;
    };
    if (!paired) {
        for (int position = 0; position <= lastRow_; ++position)
            if (!placeAllCopies(ordering[static_cast<std::size_t>(position)])) return false;
        return true;
    }
    for (int a = 0; a <= lastRow_; a += 2) {
        if (!placeAllCopies(ordering[static_cast<std::size_t>(a + 1)])) return false;
        if (!placeAllCopies(ordering[static_cast<std::size_t>(a)])) return false;
    }
    return true;
}

SavedLayout LayoutSearch::Save(std::int32_t lastPanel) const {
    SavedLayout saved;
    saved.lastPanel = lastPanel;
    saved.sizes.reserve(panels_.size());
    saved.placements.reserve(panels_.size());
    for (const PanelState& panel : panels_) {
        saved.sizes.push_back(panel.sizeIndex);
        saved.placements.push_back(panel.placements);
    }
    return saved;
}

void LayoutSearch::Restore(const SavedLayout& saved) {
    panels_.resize(saved.sizes.size());
    for (std::size_t i = 0; i < saved.sizes.size(); ++i) {
        panels_[i].sizeIndex = saved.sizes[i];
        panels_[i].placements = saved.placements[i];
        panels_[i].freeRects.clear();
    }
}

std::optional<double> LayoutSearch::RunStrategies() {
    AssignPanelSizes();
    fitSlot_ = 0;
    std::optional<RunScore> best;
    std::optional<SavedLayout> bestLayout;

    for (std::size_t k = 0; k < 3; ++k) {
        if (!orderings_.enabled[k]) continue;
        for (const bool turnedFirst : {false, true}) {
            if (turnedFirst && !anyTurnable_) continue;
            for (const bool paired : {false, true}) {
                if (StopNow()) break;
                ResetWorkingState();
                PartPlacer placer(input_, panels_);
                const bool complete = PlaceAll(orderings_.rows[k], paired, turnedFirst, placer);
                fitSlot_ = std::max(fitSlot_, placer.fitSlot);
                if (!complete || stopped_) continue;

                const SlotCounts usedBeforeShrink = CountUsedPerSlot(input_, panels_);
                if (n_ >= 1) ShrinkPanels(input_, panels_, usedBeforeShrink, slotLimit_);
                const std::optional<RunScore> score =
                    ScoreRun(input_, panels_, totalPartArea_, fullPanelPercent_);
                if (!score || (best && !IsBetter(*score, *best))) continue;
                best = score;
                slotUsed_ = usedBeforeShrink;
                bestLayout = Save(placer.lastPanel);
            }
        }
    }
    if (!best || !bestLayout) return std::nullopt;
    Restore(*bestLayout);
    iterationLastPanel_ = bestLayout->lastPanel;
    return best->primary;
}

void LayoutSearch::SortPanelsBySlot(std::int32_t lastPanel) {
    const std::size_t end = std::min(panels_.size(), static_cast<std::size_t>(lastPanel + 1));
    // Larger (or dearer) sheets first; equal slots keep their order.
    std::stable_sort(panels_.begin(), panels_.begin() + static_cast<std::ptrdiff_t>(end),
                     [&](const PanelState& a, const PanelState& b) {
                         return SlotOf(a.sizeIndex) < SlotOf(b.sizeIndex);
                     });
}

std::optional<PanelLayoutResult> LayoutSearch::Run() {
    for (int slot = kSmallestSlot - n_; slot <= kSmallestSlot; ++slot) {
        const std::int16_t limit = SizeOf(input_.slotSize[static_cast<std::size_t>(slot)]).limit;
        slotLimit_[static_cast<std::size_t>(slot)] =
            limit >= 1 ? limit : static_cast<std::int64_t>(panelCount_ - 1);
    }
    slotCount_.fill(0);
    slotCount_[kSmallestSlot] = slotLimit_[kSmallestSlot];
    slotUsed_.reset();

    std::optional<double> bestScore;
    std::optional<SavedLayout> bestLayout;
    std::int64_t iteration = 0;
    auto count = [&](int slot) -> std::int64_t& {
        return slotCount_[static_cast<std::size_t>(slot)];
    };
    auto limit = [&](int slot) { return slotLimit_[static_cast<std::size_t>(slot)]; };

    for (;;) {
        const std::optional<double> g = RunStrategies();
        if (g && (!bestScore || *g < *bestScore)) {
            bestScore = g;
            bestLayout = Save(iterationLastPanel_);
        }
        const bool failed = !g;
        if (stopped_) break;
        if (n_ >= 1) {
            ++count(3);
            ++iteration;
            if (iteration % kProgressEveryIterations == 0)
                control_.Report(SearchProgress{iteration, bestScore, std::nullopt});
            if (StopNow()) break;
            if (SlotUsedNonZero(4) && !(failed && fitSlot_ < 3) && count(3) <= limit(3)) continue;
        }
        if (n_ >= 2) {
            count(3) = 0;
            ++count(2);
            if ((SlotUsedNonZero(4) || SlotUsedNonZero(3)) && !(failed && fitSlot_ < 2) &&
                count(2) <= limit(2))
                continue;
        }
        if (n_ >= 3) {
            count(3) = count(2) = 0;
            ++count(1);
            if ((SlotUsedNonZero(2) || SlotUsedNonZero(3) || SlotUsedNonZero(4)) &&
                !(failed && fitSlot_ < 1) && count(1) <= limit(1))
                continue;
        }
        if (n_ <= 3) break;
        count(1) = count(2) = count(3) = 0;
        ++count(0);
        if (count(0) <= limit(0) &&
            (SlotUsedNonZero(1) || SlotUsedNonZero(2) || SlotUsedNonZero(3) || SlotUsedNonZero(4)))
            continue;
        break;
    }

    if (!bestScore || !bestLayout) return std::nullopt;
    Restore(*bestLayout);
    SortPanelsBySlot(bestLayout->lastPanel);
    PanelLayoutResult result;
    result.panels = std::move(panels_);
    result.lastPanel = bestLayout->lastPanel;
    result.score = *bestScore;
    ComputeUtilisation(input_, result, fullPanelPercent_);
    return result;
}

}  // namespace

std::optional<PanelLayoutResult> AutoLayout(const LayoutInput& input, const LayoutOptions& options,
                                            const SearchControl& control) {
    // Nothing to place: no layout (and no division by an empty panel area).
    const bool anything = std::any_of(input.rows.begin(), input.rows.end(),
                                      [](const PartRow& row) { return row.quantity > 0; });
    if (!anything) return std::nullopt;
    LayoutSearch search(input, options, control);
    return search.Run();
}

void AutoPlaceRemaining(const LayoutInput& input, std::vector<PanelState>& panels,
                        std::vector<std::int32_t>& remaining) {
    if (panels.empty()) return;
    PartPlacer placer(input, panels);
    const std::size_t rows = std::min(remaining.size(), input.rows.size());
    for (std::size_t r = 0; r < rows; ++r) {
        while (remaining[r] >= 1) {
            placer.PlacePart(static_cast<int>(r));
            --remaining[r];
        }
    }
}

}  // namespace tvx::panel
