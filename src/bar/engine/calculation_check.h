#pragma once
// The checks of "計算" before the engine runs: the longest stock length must lie in range,
// an empty list ends the command silently, and no length may exceed the longest stock.

#include <string>

#include "bar/model/bar_job.h"

namespace tvx::bar {

inline constexpr const char* kStockRangeMessage =
    "棒材の長さを100から1000000の範囲で指定してください";
inline constexpr const char* kCannotAssignMessage = "割り当てられません。";

struct CalculationCheck {
    enum class Verdict {
        Proceed,     // run the engine
        StockRange,  // message; focus to the stock length box
        EmptyList,   // nothing happens
        RowTooLong,  // message; the page of `row` is shown and its length box focused
    };
    Verdict verdict = Verdict::Proceed;
    std::string message;  // the message line, empty for Proceed and EmptyList
    int row = -1;         // the refused row, for RowTooLong
    int pageTop = 0;      // the page that holds it

    bool Proceed() const { return verdict == Verdict::Proceed; }
};

// Runs the checks on the job as it stands (a typed single stock length must already have been
// taken into the stock table, TakeTypedStockLength).
CalculationCheck CheckBarCalculation(const BarJob& job);

}  // namespace tvx::bar
