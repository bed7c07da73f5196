#include "check_job.h"

#include <algorithm>
#include <cstdint>

namespace tvx::panel {
namespace {

bool InPanelRange(std::int32_t side) {
    return side >= kMinPanelSide && side <= kMaxPanelSide;
}

bool Fits(const CutItem& item, const StockEntry& entry, bool mayTurn) {
    const double h = item.height, w = item.width;
    if (h <= entry.height && w <= entry.width) return true;
    return mayTurn && h <= entry.width && w <= entry.height;
}

void Refuse(CheckResult& result, const char* message, CheckFocus focus, int row = -1) {
    result.ok = false;
    result.message = message;
    result.focus = focus;
    result.row = row;
}

}  // namespace

CheckResult CheckJob(const PanelJob& job) {
    CheckResult result;
    DerivedValues& derived = result.derived;

    // 1. A single size comes from the typed boxes unless entry 0 already holds them.
    derived.stock = TypedPanelSizeTaken(job);
    const int lastSize = derived.stock.lastSizeIndex;
    auto stockEntry = [&](int i) -> const StockEntry& {
        return i == 0 ? derived.stock.first : job.stock[static_cast<std::size_t>(i)];
    };

    // 2. Without per-row orientation every row follows "縦横自由".
    derived.turnFlag = job.turnFlag;
    if (!job.ktyFree) {
        for (int r = 0; r < kMaxRows; ++r)
            derived.turnFlag[static_cast<std::size_t>(r)] = job.rotateAll ? 1 : 0;
    }

    // 3. Stock sizes within 100..15000.
    const bool single = lastSize == 0;
    for (int i = 0; i <= lastSize; ++i) {
        const StockEntry& entry = stockEntry(i);
        if (!InPanelRange(entry.height)) {
            Refuse(result, kRangeMessage,
                   single ? CheckFocus::HeightBox : CheckFocus::MultiPanelButton);
            return result;
        }
        if (!InPanelRange(entry.width)) {
            Refuse(result, kRangeMessage,
                   single ? CheckFocus::WidthBox : CheckFocus::MultiPanelButton);
            return result;
        }
    }

    // 3a. The kerf: a negative one would lay parts over each other, and one that takes the
    // enlarged sizes beyond 16 bits would wrap the layout's lengths.
    if (job.kerf < 0) {
        Refuse(result, kNegativeKerfMessage, CheckFocus::KerfBox);
        return result;
    }
    for (int i = 0; i <= lastSize; ++i) {
        const StockEntry& entry = stockEntry(i);
        const std::int64_t longest = std::max(entry.height, entry.width);
        if (longest + job.kerf > kMaxEnlargedSide) {
            Refuse(result, kKerfTooLargeMessage, CheckFocus::KerfBox);
            return result;
        }
    }

    // 4. Every valid row must fit some stock size.
    for (int r = 0; r < job.cutCount; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        if (!IsValidRow(item)) continue;
        const bool mayTurn = derived.turnFlag[static_cast<std::size_t>(r)] == 1;
        bool fits = false;
        for (int i = 0; i <= lastSize && !fits; ++i) fits = Fits(item, stockEntry(i), mayTurn);
        if (!fits) {
            const bool heightTooLarge = item.height > static_cast<double>(stockEntry(0).height);
            Refuse(result, kTooLargeMessage,
                   heightTooLarge ? CheckFocus::RowHeight : CheckFocus::RowWidth, r);
            return result;
        }
        derived.lastValidRow = static_cast<std::int16_t>(r);
        ++derived.validRowCount;
    }

    // 5. Nothing to lay out: a silent refusal.
    result.ok = derived.lastValidRow != -1;
    return result;
}

}  // namespace tvx::panel
