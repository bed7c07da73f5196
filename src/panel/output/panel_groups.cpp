#include "panel/output/panel_groups.h"

#include "panel/engine/geometry.h"

namespace tvx::panel {

std::vector<PanelGroup> GroupPanels(const PanelLayoutResult& result) {
    return GroupPanels(result, [](const std::vector<PanelState>& panels, std::size_t i) {
        return SameAsPrevious(panels, i);
    });
}

std::vector<PanelGroup> GroupPanels(const PanelLayoutResult& result, const RepeatTest& repeats) {
    std::vector<PanelGroup> groups;
    for (std::size_t i = 0; i < result.panels.size(); ++i) {
        if (!result.panels[i].used()) continue;
        if (!groups.empty() && repeats(result.panels, i)) {
            groups.back().count++;
            continue;
        }
        groups.push_back({static_cast<int>(i), 1, static_cast<int>(groups.size())});
    }
    return groups;
}

}  // namespace tvx::panel
