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
