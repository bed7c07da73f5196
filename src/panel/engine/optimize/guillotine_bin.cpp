#include "guillotine_bin.h"

#include <algorithm>
#include <limits>

namespace tvx::panel::optimize {
namespace {

struct Score {
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t second = std::numeric_limits<std::int64_t>::max();
    bool operator<(const Score& other) const {
        return first < other.first || (first == other.first && second < other.second);
    }
};

Score ScoreFor(RectChoice choice, std::int32_t x, std::int32_t y, std::int32_t rectWidth,
               std::int32_t rectHeight, std::int32_t pieceWidth, std::int32_t pieceHeight) {
    const std::int64_t leftWidth = rectWidth - pieceWidth;
    const std::int64_t leftHeight = rectHeight - pieceHeight;
    switch (choice) {
        case RectChoice::BestShortSide:
            return {std::min(leftWidth, leftHeight), std::max(leftWidth, leftHeight)};
        case RectChoice::BestArea:
            return {static_cast<std::int64_t>(rectWidth) * rectHeight -
                        static_cast<std::int64_t>(pieceWidth) * pieceHeight,
                    std::min(leftWidth, leftHeight)};
        case RectChoice::BottomLeft:
            return {y, x};
    }
    return {};
}

}  // namespace

GuillotineBin::GuillotineBin(std::int32_t width, std::int32_t height, std::int32_t smallestSide)
    : smallestSide_(std::max<std::int32_t>(smallestSide, 1)) {
    AddFree({0, 0, width, height});
}

bool GuillotineBin::Insert(const Piece& piece, int pieceIndex, FillRules rules) {
    Score best;
    int bestRect = -1;
    bool bestTurned = false;
    for (std::size_t i = 0; i < free_.size(); ++i) {
        const Rect& r = free_[i];
        for (const bool turned : {false, true}) {
            if (turned && !piece.canTurn) break;
            const std::int32_t w = turned ? piece.height : piece.width;
            const std::int32_t h = turned ? piece.width : piece.height;
            if (w > r.width || h > r.height) continue;
            const Score score = ScoreFor(rules.choice, r.x, r.y, r.width, r.height, w, h);
            if (score < best) {
                best = score;
                bestRect = static_cast<int>(i);
                bestTurned = turned;
            }
        }
    }
    if (bestRect < 0) return false;
    const Rect rect = free_[static_cast<std::size_t>(bestRect)];
    free_.erase(free_.begin() + bestRect);
    const std::int32_t w = bestTurned ? piece.height : piece.width;
    const std::int32_t h = bestTurned ? piece.width : piece.height;
    placed_.push_back({pieceIndex, rect.x, rect.y, bestTurned});
    contentArea_ += piece.area();
    Split(rect, w, h, rules.split);
    return true;
}

void GuillotineBin::FillRectFirst(const std::vector<Piece>& pieces, std::vector<int>& pending,
                                  SplitRule split) {
    while (!free_.empty() && !pending.empty()) {
        // The free rectangle that is hardest to fill: shortest side, then smallest area.
        std::size_t target = 0;
        for (std::size_t i = 1; i < free_.size(); ++i) {
            const Rect& a = free_[i];
            const Rect& b = free_[target];
            const std::int32_t sa = std::min(a.width, a.height), sb = std::min(b.width, b.height);
            if (sa < sb || (sa == sb && static_cast<std::int64_t>(a.width) * a.height <
                                            static_cast<std::int64_t>(b.width) * b.height))
                target = i;
        }
        const Rect rect = free_[target];
        free_.erase(free_.begin() + static_cast<std::ptrdiff_t>(target));
        std::size_t chosen = pending.size();
        bool chosenTurned = false;
        std::int64_t chosenArea = -1;
        std::int64_t chosenFit = -1;
        for (std::size_t k = 0; k < pending.size(); ++k) {
            const Piece& piece = pieces[static_cast<std::size_t>(pending[k])];
            if (piece.area() < chosenArea) continue;
            for (const bool turned : {false, true}) {
                if (turned && !piece.canTurn) break;
                const std::int32_t w = turned ? piece.height : piece.width;
                const std::int32_t h = turned ? piece.width : piece.height;
                if (w > rect.width || h > rect.height) continue;
                // Larger pieces first; of equal ones the one that fills a side best.
                const std::int64_t fit = std::max(w * 1LL * (w == rect.width ? 2 : 1),
                                                  h * 1LL * (h == rect.height ? 2 : 1));
                if (piece.area() > chosenArea || fit > chosenFit) {
                    chosen = k;
                    chosenTurned = turned;
                    chosenArea = piece.area();
                    chosenFit = fit;
                }
            }
        }
        if (chosen == pending.size()) continue;  // nothing fits: the rectangle is waste
        const int index = pending[chosen];
        pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(chosen));
        const Piece& piece = pieces[static_cast<std::size_t>(index)];
        const std::int32_t w = chosenTurned ? piece.height : piece.width;
        const std::int32_t h = chosenTurned ? piece.width : piece.height;
        placed_.push_back({index, rect.x, rect.y, chosenTurned});
        contentArea_ += piece.area();
        Split(rect, w, h, split);
    }
}

void GuillotineBin::Split(const Rect& rect, std::int32_t pieceWidth, std::int32_t pieceHeight,
                          SplitRule rule) {
    const std::int64_t leftWidth = rect.width - pieceWidth;
    const std::int64_t leftHeight = rect.height - pieceHeight;
    bool horizontal = true;  // the leftover above spans the whole width
    switch (rule) {
        case SplitRule::ShorterLeftover:
            horizontal = leftWidth < leftHeight;
            break;
        case SplitRule::LongerLeftover:
            horizontal = leftWidth >= leftHeight;
            break;
        case SplitRule::MinimizeArea:
            horizontal = static_cast<std::int64_t>(pieceWidth) * leftHeight >
                         leftWidth * static_cast<std::int64_t>(pieceHeight);
            break;
        case SplitRule::MaximizeArea:
            horizontal = static_cast<std::int64_t>(pieceWidth) * leftHeight <=
                         leftWidth * static_cast<std::int64_t>(pieceHeight);
            break;
        case SplitRule::Horizontal:
            horizontal = true;
            break;
    }
    if (horizontal) {
        AddFree({rect.x + pieceWidth, rect.y, rect.width - pieceWidth, pieceHeight});
        AddFree({rect.x, rect.y + pieceHeight, rect.width, rect.height - pieceHeight});
    } else {
        AddFree({rect.x + pieceWidth, rect.y, rect.width - pieceWidth, rect.height});
        AddFree({rect.x, rect.y + pieceHeight, pieceWidth, rect.height - pieceHeight});
    }
}

void GuillotineBin::AddFree(Rect rect) {
    if (rect.width < smallestSide_ || rect.height < smallestSide_) return;
    free_.push_back(rect);
}

}  // namespace tvx::panel::optimize
