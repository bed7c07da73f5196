#pragma once
// The printed bar plan: the title on every page, the bars scaled to 3000 units, "合計", the
// "棒材の長さ，必要本数" block and, on a new page, the cut list under "カットする長さ".
// Every line goes through one fit test that starts a new page with the title.

#include <QPageSize>
#include <QString>
#include <string>

#include "bar/output/bar_plan_view.h"
#include "common/gui/draw_surface.h"

class QPagedPaintDevice;

namespace tvx::bar {

inline constexpr double kPrintBarLeft = 1000.0;
inline constexpr double kPrintBarSpan = 3000.0;
inline constexpr double kPrintCodesOffset = 4200.0;  // from the bar's start
inline constexpr double kTitleFontSize = 18.0;
inline constexpr double kHeadingFontSize = 12.0;
inline constexpr double kLineFontSize = 10.0;

inline constexpr const char* kPrintFailedMessage = "印刷できませんでした。";

// Prints the plan on a surface whose user scale is the printable page in twips (origin at its
// top-left). Returns the number of pages begun; *ok is false when the device refused a page.
int PrintBarPlanPages(gui::DrawSurface& surface, const BarPlanView& view, bool* ok = nullptr);

// Prints the plan on a printer or PDF writer in one document titled with the job title.
// Returns the pages written; 0 with `error` set when the device could not be opened or
// refused a page. (A printer's own error state is checked by the print command.)
int PrintBarPlan(QPagedPaintDevice& device, const BarPlanView& view, std::string* error = nullptr);

// Writes the printed plan as a PDF file (atomically). Needs a QGuiApplication (the offscreen
// platform will do). Returns the pages, 0 with `error` set on failure.
int WriteBarPlanPdf(const BarPlanView& view, const std::string& path, const QPageSize& paper,
                    std::string* error = nullptr);

}  // namespace tvx::bar
