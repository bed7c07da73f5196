#include "bar/engine/calculation_check.h"

#include <algorithm>

namespace tvx::bar {

CalculationCheck CheckBarCalculation(const BarJob& job) {
    CalculationCheck check;
    const float longest = LongestStockLength(job.stock);
    if (!(longest >= kMinStockLength && longest <= kMaxStockLength)) {
        check.verdict = CalculationCheck::Verdict::StockRange;
        check.message = kStockRangeMessage;
        return check;
    }
    const BarCutList& list = job.cutList;
    if (list.rowCount <= 0) {
        check.verdict = CalculationCheck::Verdict::EmptyList;
        return check;
    }
    const int rows = std::min<int>(list.rowCount, list.Capacity());
    for (int row = 0; row < rows; ++row) {
        if (list.cutLength[static_cast<std::size_t>(row)] > longest) {
            check.verdict = CalculationCheck::Verdict::RowTooLong;
            check.message = kCannotAssignMessage;
            check.row = row;
            check.pageTop = row - row % kRowsPerPage;
            return check;
        }
    }
    return check;
}

}  // namespace tvx::bar
