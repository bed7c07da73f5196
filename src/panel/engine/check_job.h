#pragma once
// The check before every automatic or manual layout.

#include <array>
#include <cstdint>
#include <string>

#include "panel/model/panel_job.h"

namespace tvx::panel {

inline constexpr const char* kRangeMessage = "100から15000までの範囲で指定してください。";
inline constexpr const char* kTooLargeMessage = "パネルサイズを超えています。";
inline constexpr const char* kNoLayoutMessage = "割り当てられませんでした。";
inline constexpr const char* kNegativeKerfMessage = "切断幅は0以上で指定してください。";
inline constexpr const char* kKerfTooLargeMessage =
    "切断幅が大きすぎます。パネルサイズと切断幅の和は32767までです。";

// The largest panel side plus the kerf: the layout works in 16-bit lengths.
inline constexpr int kMaxEnlargedSide = 32767;

// Where the main window puts the focus after a failed check.
enum class CheckFocus {
    None,
    HeightBox,         // the panel height box (single size)
    WidthBox,          // the panel width box (single size)
    MultiPanelButton,  // " 複数  パネル " (several sizes)
    KerfBox,           // the kerf box
    RowHeight,         // the height cell of `row`
    RowWidth,          // the width cell of `row`
};

// What the check derives from the job for the layout (PrepareLayoutInput takes it).
struct DerivedValues {
    TypedPanelStock stock;  // entry 0, lastSizeIndex, priceMode after the typed size is taken
    std::array<std::int16_t, kRowTableSize> turnFlag{};  // effective turn flag per row
    std::int16_t lastValidRow = -1;                      // -1 = no valid row
    std::int16_t validRowCount = 0;
};

struct CheckResult {
    bool ok = false;
    std::string message;  // empty on success and on the silent refusal (no valid row)
    CheckFocus focus = CheckFocus::None;
    int row = -1;  // the offending row for RowHeight / RowWidth
    // Complete when ok; lastValidRow and validRowCount are filled as far as the check got.
    DerivedValues derived;
};

// Derives entry 0 of the stock table from the typed values when there is no table of several
// sizes (TypedPanelSizeTaken), the turn flags from rotateAll unless ktyFree is 1, and
// lastValidRow / validRowCount; then checks the stock sizes against 100..15000, the kerf (not
// negative, and no panel side plus the kerf beyond kMaxEnlargedSide) and every valid row
// against the sizes. The job is not changed.
CheckResult CheckJob(const PanelJob& job);

}  // namespace tvx::panel
