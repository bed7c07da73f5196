#pragma once
// The manual layout editor without its window: the pages (panel positions) with their sizes
// and placements, the remaining count of every row, the analysis of what lies under the
// pointer with its candidate row, placing and taking off parts, page and size changes, copying
// the previous page, and leaving the modification mode. The window only draws what this
// holds and forwards the user's input.
//
// Rows are 0-based everywhere except the candidate and the priority cut number, which are the
// 1-based row numbers the user sees (0 = none); a placement stores row = candidate - 1.

#include <cstdint>
#include <optional>
#include <vector>

#include "panel/engine/layout_types.h"

namespace tvx::panel {

inline constexpr const char* kRightClickToRemoveMessage = "削除の場合は右クリックして下さい";
inline constexpr const char* kNoCandidateMessage = "割当てられません";
inline constexpr const char* kCannotPlaceMessage = "割り当てられません";
inline constexpr const char* kNothingPlacedMessage = "部品が何も割当てられていません。";
inline constexpr const char* kPartsLeftMessage = "割当てられていない部品があります。";

enum class ManualMode {
    Fresh,         // every panel empty, every part still to place
    Modification,  // opened on a finished layout
};

// What lies under the pointer: a placed part, or the free rectangle whose corner a placement
// would take (width and height 0 when there is none).
struct PointerArea {
    int partRow = -1;  // 0-based row of the part under the pointer, or -1
    FreeRect rect{};
};

// The outcome of the last hover analysis.
struct HoverState {
    PointerArea area;
    std::vector<bool> fitsAsEntered;  // the "縦" cell of each row is highlighted
    std::vector<bool> fitsTurned;     // the "横" cell of each row is highlighted
    int candidate = 0;                // 1-based, 0 = none
    bool shift = false;               // the turn override the analysis was made with
};

enum class PlaceOutcome {
    Placed,
    OnPart,       // the pointer is on a part: "削除の場合は右クリックして下さい"
    NoCandidate,  // "割当てられません"
    CannotPlace,  // no copies left, no fit, or it would overlap a part: "割り当てられません"
};

class ManualLayout {
  public:
    // Fresh mode ignores `start`; modification mode edits it. `input` must outlive this.
    ManualLayout(const LayoutInput& input, ManualMode mode, PanelLayoutResult start = {});

    ManualMode mode() const { return mode_; }
    const LayoutInput& input() const { return input_; }
    const PanelLayoutResult& layout() const { return layout_; }
    // The edited layout, with lastPanel at the last position that holds a part.
    PanelLayoutResult Layout() const;

    // Pages are the panel positions 0..lastPage().
    int page() const { return page_; }
    int lastPage() const { return static_cast<int>(layout_.panels.size()) - 1; }
    const PanelState& currentPanel() const {
        return layout_.panels[static_cast<std::size_t>(page_)];
    }
    int currentSize() const { return currentSize_; }
    // The enlarged width and height of the current page's size.
    std::int32_t pageWidth() const;
    std::int32_t pageHeight() const;

    int lastRow() const { return input_.lastRow(); }
    std::int32_t remaining(int row) const { return remaining_[static_cast<std::size_t>(row)]; }
    std::int32_t remainingTotal() const { return remainingTotal_; }
    bool PartsRemain() const { return remainingTotal_ > 0; }
    bool AnythingPlaced() const;

    int priority() const { return priority_; }
    const HoverState& hover() const { return hover_; }
    int candidate() const { return hover_.candidate; }

    // The placed part or free rectangle at (px, py) of the current page.
    PointerArea AreaAt(double px, double py) const;

    // The hover analysis at (px, py); Rehover repeats it at the last position (Shift down/up).
    void Hover(double px, double py, bool shift);
    void Rehover(bool shift);
    // Forgets highlights and candidate (the pointer left, or the page changed).
    void ClearHover();
    // Where the candidate would go: at the free rectangle's origin, turned when the override
    // is on or the part does not fit as entered. Nothing without a candidate.
    std::optional<PlacedBox> PreviewBox() const;

    // Left click at (px, py): places the candidate at the corner of the free rectangle there.
    PlaceOutcome Place(double px, double py, bool shift);
    // Right click: takes off the last placement covering the point; false when there is none.
    bool TakeOff(double px, double py);

    // A digit typed on the drawing area extends the priority cut number.
    void TypeDigit(int digit);
    // Up (towards row 1) or down the rows whose fit cell is highlighted; false when there is
    // no candidate or no such row.
    bool MoveCandidate(bool up, bool shift);

    // "前ページ" / "次ページ"; false on the first / last page.
    bool PreviousPage();
    bool NextPage();
    // "コピー" is possible: not page 0, the previous page has placements and the same size,
    // and every copy is still available once this page's parts are returned.
    bool CanCopy() const;
    bool CopyPrevious();
    // "削除": returns every part of the page; false when the page was empty.
    bool ClearPage();
    // Gives the page stock size `size`; the parts that no longer lie inside are taken off and
    // returned (in placement order). Nothing happens for the current size or a size not in use.
    std::vector<Placement> ChangeSize(int size);

    // Leaving the editor. In modification mode every remaining copy is placed: first-fit on
    // the panels, else on an empty position given the smallest size that holds it. If some
    // copy finds no room at all, nothing changes and false is returned (the editor stays
    // open). Fresh mode always leaves as it is.
    bool Leave();

  private:
    PanelState& pagePanel() { return layout_.panels[static_cast<std::size_t>(page_)]; }
    void ShowPage(int page);
    void Return(const Placement& p);
    void Take(const Placement& p);
    bool Overlaps(const PanelState& panel, const PlacedBox& box) const;
    bool FitsHighlighted(int row, bool shift) const;

    const LayoutInput& input_;
    ManualMode mode_;
    PanelLayoutResult layout_;
    std::vector<std::int32_t> remaining_;
    std::int32_t remainingTotal_ = 0;
    int page_ = 0;
    int currentSize_ = 0;
    int priority_ = 0;
    HoverState hover_;
    double lastX_ = -1.0;
    double lastY_ = -1.0;
};

// Places every copy counted in `remaining` on `panels` (the panels grow when needed):
// first-fit like the automatic layout, else on an empty position given the smallest stock
// size that holds it. Returns false, with `panels` and `remaining` unchanged, when some copy
// fits no stock size at all.
bool PlaceRemainingCopies(const LayoutInput& input, std::vector<PanelState>& panels,
                          std::vector<std::int32_t>& remaining);

}  // namespace tvx::panel
