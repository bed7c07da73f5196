#pragma once
// The "show" command: the job as it was read.

#include <iosfwd>

#include "common/json.h"
#include "panel/model/panel_job.h"

namespace tvx::panel::cli {

// Stock entries 0..lastSizeIndex as [{"height", "width", "price", "limit"}].
Json StockSizesJson(const PanelJob& job);

// {"title", "lastSizeIndex", "priceMode", "sizes", "kerf", "rotateAll", "ktyFree",
//  "cutCount", "rows": [{"height", "width", "quantity", "comment", "turnFlag"}]}
Json JobJson(const PanelJob& job);

// The same for people.
void PrintJob(const PanelJob& job, std::ostream& out);

}  // namespace tvx::panel::cli
