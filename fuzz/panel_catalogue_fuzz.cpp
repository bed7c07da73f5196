// Feeds arbitrary bytes to the reading of the panel catalogue ("Panellist.txt", as Shift-JIS
// or UTF-8, with lines of the earlier layout) and every line to the parsers of "修正" and of
// the double-click. An entry read from a line that fits the layout must make a line of the
// layout again, and a double-click on that line must copy the same sizes and price.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "panel/ui/panel_catalogue.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tvx::panel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CatalogueText text = ParseCatalogueFile(bytes);
    for (const std::string& line : text.lines) {
        Check(line.find_first_of("\r\n") == std::string::npos);
        // Every line of the earlier layout was converted.
        Check(text.converted || line.size() != kOldCatalogueLineBytes);
        const CatalogueEntry edited = ParseCatalogueLineForEdit(line);
        const CatalogueEntry copied = ParseCatalogueLineForCopy(line);
        (void)copied;
        (void)HasCatalogueLayout(line);
        if (CheckCatalogueEntry(edited) != CatalogueOverflow::None) continue;
        const std::string written = CatalogueLineBytes(edited);
        Check(HasCatalogueLayout(written));
        const CatalogueEntry back = ParseCatalogueLineForCopy(written);
        Check(back.height == edited.height && back.width == edited.width &&
              back.price == edited.price);
        const CatalogueEntry reedited = ParseCatalogueLineForEdit(written);
        Check(reedited.height == edited.height && reedited.width == edited.width &&
              reedited.price == edited.price);
    }
    // The file as written holds the same lines.
    const std::string file = CatalogueFileBytes(text.lines);
    Check(file.size() >= 2 * text.lines.size());
    return 0;
}
