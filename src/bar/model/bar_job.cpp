#include "bar/model/bar_job.h"

#include <algorithm>
#include <optional>

#include "common/number_text.h"

namespace tvx::bar {

BarCutList::BarCutList()
    : cutLength(kInitialRowSlots, 0.0f),
      cutQuantity(kInitialRowSlots, 0),
      cutComment(kInitialRowSlots) {}

bool IsValidBarRow(const BarCutList& list, int row) {
    if (row < 0 || row >= list.Capacity()) return false;
    const auto r = static_cast<std::size_t>(row);
    return IsValidBarRow(list.cutLength[r], list.cutQuantity[r]);
}

void EnsureRowCapacity(BarCutList& list, int lastIndex) {
    if (lastIndex < list.Capacity()) return;
    const auto size = static_cast<std::size_t>(lastIndex) + 1;
    list.cutLength.resize(size, 0.0f);
    list.cutQuantity.resize(size, 0);
    list.cutComment.resize(size);
}

bool AppendRow(BarCutList& list, float length, std::int16_t quantity, std::string comment) {
    if (list.rowCount >= kMaxRows) return false;
    const int row = list.rowCount;
    EnsureRowCapacity(list, row);
    const auto r = static_cast<std::size_t>(row);
    list.cutLength[r] = length;
    list.cutQuantity[r] = quantity;
    list.cutComment[r] = std::move(comment);
    list.rowCount = static_cast<std::int16_t>(row + 1);
    if (list.rowCount % kRowsPerPage == 0) EnsureRowCapacity(list, list.Capacity() + 19);
    return true;
}

void ClearCutList(BarCutList& list) {
    list = BarCutList{};
}

bool TakeTypedStockLength(BarJob& job, double typedLength) {
    const std::optional<float> length = ToSingle(typedLength);
    if (!length || !(*length > 0.0f)) return false;
    job.stock.stockEntryLength[0] = *length;
    job.stock.stockEntryCountInUse = 1;
    return true;
}

float LongestStockLength(const BarStock& stock) {
    float longest = 0.0f;
    const int inUse = std::clamp<int>(stock.stockEntryCountInUse, 0, kMaxStockEntries);
    for (int s = 0; s < inUse; ++s)
        longest = std::max(longest, stock.stockEntryLength[static_cast<std::size_t>(s)]);
    return longest;
}

void ResetBarJob(BarJob& job) {
    job.currentFileName.clear();
    job.jobTitle.clear();
    job.stock = BarStock{};
    ClearCutList(job.cutList);
    ClearPlan(job.plan);
    job.resultDisplayMode = 0;
}

BarJob StartupBarJob(float kerf, bool showPartCodes) {
    BarJob job;
    job.kerf = kerf;
    job.showPartCodes = showPartCodes;
    return job;
}

}  // namespace tvx::bar
