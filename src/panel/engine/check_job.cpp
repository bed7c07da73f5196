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

CheckResult Refuse(const char* message, CheckFocus focus, int row = -1) {
    return CheckResult{false, message, focus, row};
}

}  // namespace

void TakeTypedPanelSize(PanelJob& job) {
    if (job.lastSizeIndex > 0) return;
    StockEntry& entry = job.stock[0];
    if (entry.height == job.typedHeight && entry.width == job.typedWidth) {
        job.priceMode = entry.price > 0;
    } else {
        entry.height = job.typedHeight;
        entry.width = job.typedWidth;
        entry.price = 0;
        job.priceMode = false;
    }
    if (job.cutsell == 1) {
        entry.price = job.typedPrice;
        job.priceMode = job.typedPrice > 0;
    }
    job.lastSizeIndex = 0;
}

CheckResult CheckJob(PanelJob& job) {
    // 1. A single size comes from the typed boxes unless entry 0 already holds them.
    TakeTypedPanelSize(job);

    // 2. Without per-row orientation every row follows "縦横自由".
    if (job.ktyFree == 0) {
        for (int r = 0; r < kMaxRows; ++r)
            job.turnFlag[static_cast<std::size_t>(r)] = job.rotateAll == 1 ? 1 : 0;
    }

    // 3. Stock sizes within 100..15000.
    const bool single = job.lastSizeIndex == 0;
    for (int i = 0; i <= job.lastSizeIndex; ++i) {
        const StockEntry& entry = job.stock[static_cast<std::size_t>(i)];
        if (!InPanelRange(entry.height))
            return Refuse(kRangeMessage,
                          single ? CheckFocus::HeightBox : CheckFocus::MultiPanelButton);
        if (!InPanelRange(entry.width))
            return Refuse(kRangeMessage,
                          single ? CheckFocus::WidthBox : CheckFocus::MultiPanelButton);
    }

    // 3a. The kerf: a negative one would lay parts over each other, and one that takes the
    // enlarged sizes beyond 16 bits would wrap the layout's lengths.
    if (job.kerf < 0) return Refuse(kNegativeKerfMessage, CheckFocus::KerfBox);
    for (int i = 0; i <= job.lastSizeIndex; ++i) {
        const StockEntry& entry = job.stock[static_cast<std::size_t>(i)];
        const std::int64_t longest = std::max(entry.height, entry.width);
        if (longest + job.kerf > kMaxEnlargedSide)
            return Refuse(kKerfTooLargeMessage, CheckFocus::KerfBox);
    }

    // 4. Every valid row must fit some stock size.
    job.lastValidRow = -1;
    job.validRowCount = 0;
    for (int r = 0; r < job.cutCount; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        if (!IsValidRow(item)) continue;
        const bool mayTurn = job.turnFlag[static_cast<std::size_t>(r)] == 1;
        bool fits = false;
        for (int i = 0; i <= job.lastSizeIndex && !fits; ++i)
            fits = Fits(item, job.stock[static_cast<std::size_t>(i)], mayTurn);
        if (!fits) {
            const bool heightTooLarge = item.height > static_cast<double>(job.stock[0].height);
            return Refuse(kTooLargeMessage,
                          heightTooLarge ? CheckFocus::RowHeight : CheckFocus::RowWidth, r);
        }
        job.lastValidRow = static_cast<std::int16_t>(r);
        ++job.validRowCount;
    }

    // 5. Nothing to lay out: a silent refusal.
    if (job.lastValidRow == -1) return CheckResult{false, "", CheckFocus::None, -1};
    return CheckResult{true, "", CheckFocus::None, -1};
}

}  // namespace tvx::panel
