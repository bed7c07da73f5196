// Feeds arbitrary text to the parsing of pasted rows (tab-separated height, width, quantity,
// comment, one row a line), as the row editor pastes a block: the first two bytes choose the
// row the paste starts at. The list must stay within its 200 rows and every pasted row must
// show and store its cells without harm.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/ui/cut_list_ops.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tvx::panel;
    if (size < 2) return 0;
    const int start = data[0] % (kMaxRows + 10) - 5;  // a few rows outside the list too
    const int existing = data[1] % (kMaxRows + 1);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    PanelJob job;
    job.cutCount = static_cast<std::int16_t>(existing);
    const ClipboardShape shape = MeasureClipboard(text);
    Check(shape.lines >= 0 && shape.fields >= 0);
    const std::string first = FirstLine(text);
    Check(first.size() <= text.size() && text.substr(0, first.size()) == first);
    Check(first.find_first_of("\r\n") == std::string::npos);

    const int lines = shape.lines > 0 ? shape.lines : 1;
    if (start >= 0 && BlockPasteFits(job, start, lines)) {
        PasteRows(job, text, start, start + lines - 1);
    } else {
        PasteRows(job, text, start, start + (lines > kMaxRows ? kMaxRows : lines) - 1);
    }
    Check(job.cutCount >= 0 && job.cutCount <= kMaxRows);
    for (int r = 0; r < job.cutCount; ++r) {
        CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        for (int column = 0; column < 4; ++column) {
            const std::string cell = CellText(item, column);
            CutItem copy = item;
            StoreCellText(copy, column, cell);
        }
    }
    return 0;
}
