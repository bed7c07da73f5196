#include "panel/engine/manual_layout.h"

#include <algorithm>
#include <limits>

#include "panel/engine/geometry.h"
#include "panel/engine/placement.h"

namespace tvx::panel {
namespace {

const StockSize& SizeOf(const LayoutInput& input, int sizeIndex) {
    const int s = std::clamp(sizeIndex, 0, kSlotCount - 1);
    return input.sizes[static_cast<std::size_t>(s)];
}

// A position without a stock panel yet: it takes the current size when it is shown.
PanelState EmptyPosition(const LayoutInput& input) {
    PanelState panel;
    panel.sizeIndex = -1;
    const StockSize& first = input.sizes[0];
    panel.freeRects.push_back({0, 0, first.enlargedWidth, first.enlargedHeight});
    return panel;
}

bool FitsRect(const FreeRect& rect, const PartRow& row, bool turned) {
    return turned ? rect.width >= row.enlargedHeight && rect.height >= row.enlargedWidth
                  : rect.width >= row.enlargedWidth && rect.height >= row.enlargedHeight;
}

bool Intersect(const PlacedBox& a, const PlacedBox& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

std::int32_t ClampedTotal(const std::vector<std::int32_t>& counts) {
    std::int64_t sum = 0;
    for (const std::int32_t c : counts) sum += std::max<std::int32_t>(c, 0);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
}

// Puts one copy of `row` at the origin of an empty position given the smallest stock size
// that holds it; a new position is added when none is empty.
bool PlaceOnEmptyPosition(const LayoutInput& input, std::vector<PanelState>& panels, int row) {
    const PartRow& part = input.rows[static_cast<std::size_t>(row)];
    int best = -1;
    bool bestTurned = false;
    std::int64_t bestArea = 0;
    for (int s = 0; s <= input.lastSizeIndex; ++s) {
        const StockSize& size = input.sizes[static_cast<std::size_t>(s)];
        const bool asEntered =
            size.enlargedWidth >= part.enlargedWidth && size.enlargedHeight >= part.enlargedHeight;
        const bool turned = part.turnFlag == 1 && size.enlargedWidth >= part.enlargedHeight &&
                            size.enlargedHeight >= part.enlargedWidth;
        if (!asEntered && !turned) continue;
        const std::int64_t area =
            static_cast<std::int64_t>(size.enlargedWidth) * size.enlargedHeight;
        if (best < 0 || area < bestArea) {
            best = s;
            bestArea = area;
            bestTurned = !asEntered;
        }
    }
    if (best < 0) return false;
    auto empty = std::find_if(panels.begin(), panels.end(),
                              [](const PanelState& p) { return p.placements.empty(); });
    if (empty == panels.end()) {
        panels.push_back(EmptyPosition(input));
        empty = panels.end() - 1;
    }
    empty->sizeIndex = static_cast<std::int16_t>(best);
    empty->placements.push_back({static_cast<std::int16_t>(row), 0, 0, bestTurned});
    RecomputeFreeRects(input, *empty);
    return true;
}

}  // namespace

bool PlaceRemainingCopies(const LayoutInput& input, std::vector<PanelState>& panels,
                          std::vector<std::int32_t>& remaining) {
    std::vector<PanelState> work = panels;
    std::vector<std::int32_t> left = remaining;
    if (work.empty()) work.push_back(EmptyPosition(input));
    PartPlacer placer(input, work);
    const std::size_t rows = std::min(left.size(), input.rows.size());
    for (std::size_t r = 0; r < rows; ++r) {
        while (left[r] > 0) {
            const int row = static_cast<int>(r);
            if (!placer.PlacePart(row) && !PlaceOnEmptyPosition(input, work, row)) return false;
            --left[r];
        }
    }
    panels = std::move(work);
    remaining = std::move(left);
    return true;
}

ManualLayout::ManualLayout(const LayoutInput& input, ManualMode mode, PanelLayoutResult start)
    : input_(input), mode_(mode) {
    const std::size_t rows = input.rows.size();
    remaining_.assign(rows, 0);
    hover_.fitsAsEntered.assign(rows, false);
    hover_.fitsTurned.assign(rows, false);
    const std::size_t positions =
        static_cast<std::size_t>(std::max<std::int32_t>(input.panelCapacity, 0)) + 1;

    if (mode == ManualMode::Fresh) {
        for (std::size_t r = 0; r < rows; ++r) {
            const PartRow& row = input.rows[r];
            const bool sized = row.rawHeight > 0 && row.rawWidth > 0 && row.enlargedHeight > 0 &&
                               row.enlargedWidth > 0;
            remaining_[r] = sized ? std::max<std::int32_t>(row.quantity, 0) : 0;
        }
        layout_.panels.assign(positions, EmptyPosition(input));
        layout_.panels[0].sizeIndex = 0;
        page_ = 0;
        currentSize_ = 0;
    } else {
        layout_ = std::move(start);
        // What a finished layout holds has its free rectangles rebuilt (a position without a
        // size gets size 0, as the result view does); the positions added up to the capacity
        // take the current size when they are shown.
        for (PanelState& panel : layout_.panels) RecomputeFreeRects(input_, panel);
        if (layout_.panels.size() < positions)
            layout_.panels.resize(positions, EmptyPosition(input));
        std::vector<std::int64_t> placed(rows, 0);
        for (const PanelState& panel : layout_.panels) {
            for (const Placement& p : panel.placements) {
                if (p.row >= 0 && static_cast<std::size_t>(p.row) < rows)
                    ++placed[static_cast<std::size_t>(p.row)];
            }
        }
        for (std::size_t r = 0; r < rows; ++r) {
            const std::int64_t left = std::max<std::int32_t>(input.rows[r].quantity, 0) - placed[r];
            remaining_[r] = static_cast<std::int32_t>(std::max<std::int64_t>(left, 0));
        }
        page_ = 0;
        for (std::size_t i = 0; i < layout_.panels.size(); ++i) {
            if (layout_.panels[i].used()) page_ = static_cast<int>(i);
        }
        currentSize_ = std::max<int>(currentPanel().sizeIndex, 0);
        pagePanel().sizeIndex = static_cast<std::int16_t>(currentSize_);
    }
    remainingTotal_ = ClampedTotal(remaining_);
}

PanelLayoutResult ManualLayout::Layout() const {
    PanelLayoutResult result = layout_;
    result.lastPanel = -1;
    for (std::size_t i = 0; i < result.panels.size(); ++i) {
        if (result.panels[i].used()) result.lastPanel = static_cast<std::int32_t>(i);
    }
    return result;
}

std::int32_t ManualLayout::pageWidth() const {
    return SizeOf(input_, currentPanel().sizeIndex).enlargedWidth;
}

std::int32_t ManualLayout::pageHeight() const {
    return SizeOf(input_, currentPanel().sizeIndex).enlargedHeight;
}

bool ManualLayout::AnythingPlaced() const {
    return std::any_of(layout_.panels.begin(), layout_.panels.end(),
                       [](const PanelState& p) { return p.used(); });
}

PointerArea ManualLayout::AreaAt(double px, double py) const {
    PointerArea area;
    const PanelState& panel = currentPanel();
    area.partRow = PartAtPoint(input_, panel, px, py);
    if (area.partRow >= 0) return area;
    // The free list is sorted by y, so the first rectangle holding the point has the
    // smallest y (the first in list order on equal y).
    for (const FreeRect& r : panel.freeRects) {
        if (r.x <= px && px < r.x + r.width && r.y <= py && py < r.y + r.height) {
            area.rect = r;
            break;
        }
    }
    return area;
}

void ManualLayout::ClearHover() {
    hover_.area = PointerArea{};
    std::fill(hover_.fitsAsEntered.begin(), hover_.fitsAsEntered.end(), false);
    std::fill(hover_.fitsTurned.begin(), hover_.fitsTurned.end(), false);
    hover_.candidate = 0;
}

void ManualLayout::Hover(double px, double py, bool shift) {
    ClearHover();
    lastX_ = px;
    lastY_ = py;
    hover_.shift = shift;
    hover_.area = AreaAt(px, py);
    if (hover_.area.partRow >= 0) return;
    const FreeRect& rect = hover_.area.rect;
    if (rect.width <= 0 || rect.height <= 0) return;

    bool priorityOffered = false;
    for (int r = lastRow(); r >= 0; --r) {
        const std::size_t i = static_cast<std::size_t>(r);
        if (remaining_[i] <= 0) continue;
        const PartRow& row = input_.rows[i];
        bool offered = false;
        if (FitsRect(rect, row, false)) {
            hover_.fitsAsEntered[i] = true;
            if (!shift) {
                hover_.candidate = r + 1;
                offered = true;
            }
        }
        if ((row.turnFlag == 1 || shift) && FitsRect(rect, row, true)) {
            hover_.fitsTurned[i] = true;
            hover_.candidate = r + 1;
            offered = true;
        }
        if (offered && r + 1 == priority_) priorityOffered = true;
    }
    if (priorityOffered) hover_.candidate = priority_;
}

void ManualLayout::Rehover(bool shift) {
    if (lastX_ < 0 || lastY_ < 0) {
        hover_.shift = shift;
        return;
    }
    Hover(lastX_, lastY_, shift);
}

std::optional<PlacedBox> ManualLayout::PreviewBox() const {
    if (hover_.candidate < 1 || hover_.candidate > lastRow() + 1) return std::nullopt;
    const FreeRect& rect = hover_.area.rect;
    if (rect.width <= 0 || rect.height <= 0) return std::nullopt;
    const std::size_t r = static_cast<std::size_t>(hover_.candidate - 1);
    const PartRow& row = input_.rows[r];
    const bool turned = hover_.shift || !hover_.fitsAsEntered[r];
    return turned ? PlacedBox{rect.x, rect.y, row.enlargedHeight, row.enlargedWidth}
                  : PlacedBox{rect.x, rect.y, row.enlargedWidth, row.enlargedHeight};
}

bool ManualLayout::Overlaps(const PanelState& panel, const PlacedBox& box) const {
    return std::any_of(panel.placements.begin(), panel.placements.end(),
                       [&](const Placement& p) { return Intersect(BoxOf(input_, p), box); });
}

PlaceOutcome ManualLayout::Place(double px, double py, bool shift) {
    const PointerArea area = AreaAt(px, py);
    if (area.partRow >= 0) return PlaceOutcome::OnPart;
    const int candidate = hover_.candidate;
    if (candidate < 1 || candidate > lastRow() + 1) return PlaceOutcome::NoCandidate;

    const int r = candidate - 1;
    const PartRow& row = input_.rows[static_cast<std::size_t>(r)];
    bool turned = shift;
    if (!FitsRect(area.rect, row, turned) && !shift && row.turnFlag == 1) turned = true;
    if (remaining_[static_cast<std::size_t>(r)] <= 0 || area.rect.width <= 0 ||
        !FitsRect(area.rect, row, turned))
        return PlaceOutcome::CannotPlace;

    const Placement placement{static_cast<std::int16_t>(r), area.rect.x, area.rect.y, turned};
    const PlacedBox box = BoxOf(input_, placement);
    // A free rectangle is bounded only by the parts crossing its corner's row and column, so
    // it may still hold a part: such a placement is refused.
    if (box.x < 0 || box.y < 0 || box.x + box.width > pageWidth() ||
        box.y + box.height > pageHeight() || Overlaps(currentPanel(), box))
        return PlaceOutcome::CannotPlace;

    pagePanel().placements.push_back(placement);
    Take(placement);
    RecomputeFreeRects(input_, pagePanel());
    if (remaining_[static_cast<std::size_t>(r)] == 0 && priority_ == candidate) priority_ = 0;
    Hover(px, py, shift);
    return PlaceOutcome::Placed;
}

bool ManualLayout::TakeOff(double px, double py) {
    PanelState& panel = pagePanel();
    for (std::size_t k = panel.placements.size(); k-- > 0;) {
        const PlacedBox box = BoxOf(input_, panel.placements[k]);
        if (box.x <= px && px < box.x + box.width && box.y <= py && py < box.y + box.height) {
            const Placement taken = panel.placements[k];
            panel.placements.erase(panel.placements.begin() + static_cast<std::ptrdiff_t>(k));
            Return(taken);
            RecomputeFreeRects(input_, panel);
            Hover(px, py, hover_.shift);
            return true;
        }
    }
    return false;
}

void ManualLayout::TypeDigit(int digit) {
    if (digit < 0 || digit > 9) return;
    const int rows = lastRow() + 1;
    int number = priority_ * 10 + digit;
    if (number > rows) number = digit;
    priority_ = number;
    if (number >= 1 && number <= rows) {
        const std::size_t i = static_cast<std::size_t>(number - 1);
        if (hover_.fitsAsEntered[i] || hover_.fitsTurned[i]) hover_.candidate = number;
    }
}

bool ManualLayout::FitsHighlighted(int row, bool shift) const {
    const std::size_t i = static_cast<std::size_t>(row);
    return shift ? hover_.fitsTurned[i] : hover_.fitsAsEntered[i] || hover_.fitsTurned[i];
}

bool ManualLayout::MoveCandidate(bool up, bool shift) {
    const int candidate = hover_.candidate;
    if (candidate < 1 || candidate > lastRow() + 1) return false;
    const int from = candidate - 1;
    if (up) {
        for (int r = from - 1; r >= 0; --r) {
            if (FitsHighlighted(r, shift)) {
                hover_.candidate = r + 1;
                return true;
            }
        }
    } else {
        for (int r = from + 1; r <= lastRow(); ++r) {
            if (FitsHighlighted(r, shift)) {
                hover_.candidate = r + 1;
                return true;
            }
        }
    }
    return false;
}

void ManualLayout::ShowPage(int page) {
    page_ = page;
    PanelState& panel = pagePanel();
    if (panel.sizeIndex == -1) panel.sizeIndex = static_cast<std::int16_t>(currentSize_);
    if (panel.sizeIndex != currentSize_) currentSize_ = panel.sizeIndex;
    RecomputeFreeRects(input_, panel);
    ClearHover();
    lastX_ = lastY_ = -1.0;
}

bool ManualLayout::PreviousPage() {
    if (page_ <= 0) return false;
    ShowPage(page_ - 1);
    return true;
}

bool ManualLayout::NextPage() {
    if (page_ >= lastPage()) return false;
    ShowPage(page_ + 1);
    return true;
}

bool ManualLayout::CanCopy() const {
    if (page_ <= 0) return false;
    const PanelState& previous = layout_.panels[static_cast<std::size_t>(page_ - 1)];
    const PanelState& current = currentPanel();
    if (!previous.used() || previous.sizeIndex != current.sizeIndex) return false;
    std::vector<std::int64_t> counts(remaining_.begin(), remaining_.end());
    for (const Placement& p : current.placements) ++counts[static_cast<std::size_t>(p.row)];
    for (const Placement& p : previous.placements) --counts[static_cast<std::size_t>(p.row)];
    return std::all_of(counts.begin(), counts.end(), [](std::int64_t c) { return c >= 0; });
}

bool ManualLayout::CopyPrevious() {
    if (!CanCopy()) return false;
    PanelState& panel = pagePanel();
    for (const Placement& p : panel.placements) Return(p);
    panel.placements = layout_.panels[static_cast<std::size_t>(page_ - 1)].placements;
    for (const Placement& p : panel.placements) Take(p);
    RecomputeFreeRects(input_, panel);
    Rehover(hover_.shift);
    return true;
}

bool ManualLayout::ClearPage() {
    PanelState& panel = pagePanel();
    if (!panel.used()) return false;
    for (const Placement& p : panel.placements) Return(p);
    panel.placements.clear();
    RecomputeFreeRects(input_, panel);
    Rehover(hover_.shift);
    return true;
}

std::vector<Placement> ManualLayout::ChangeSize(int size) {
    std::vector<Placement> removed;
    if (size < 0 || size > input_.lastSizeIndex || size == currentSize_) return removed;
    currentSize_ = size;
    PanelState& panel = pagePanel();
    panel.sizeIndex = static_cast<std::int16_t>(size);
    const StockSize& stock = SizeOf(input_, size);
    std::vector<Placement> kept;
    for (const Placement& p : panel.placements) {
        const PlacedBox box = BoxOf(input_, p);
        const bool inside =
            box.y + box.height <= stock.enlargedHeight && box.x + box.width <= stock.enlargedWidth;
        (inside ? kept : removed).push_back(p);
    }
    panel.placements = std::move(kept);
    for (const Placement& p : removed) Return(p);
    RecomputeFreeRects(input_, panel);
    ClearHover();
    lastX_ = lastY_ = -1.0;
    return removed;
}

bool ManualLayout::Leave() {
    if (mode_ != ManualMode::Modification || remainingTotal_ == 0) return true;
    if (!PlaceRemainingCopies(input_, layout_.panels, remaining_)) return false;
    remainingTotal_ = ClampedTotal(remaining_);
    // The page shown may have received parts.
    RecomputeFreeRects(input_, pagePanel());
    ClearHover();
    return true;
}

void ManualLayout::Return(const Placement& p) {
    std::int32_t& count = remaining_[static_cast<std::size_t>(p.row)];
    if (count < std::numeric_limits<std::int32_t>::max()) ++count;
    if (remainingTotal_ < std::numeric_limits<std::int32_t>::max()) ++remainingTotal_;
}

void ManualLayout::Take(const Placement& p) {
    --remaining_[static_cast<std::size_t>(p.row)];
    --remainingTotal_;
}

}  // namespace tvx::panel
