#include "bar/output/page_flow.h"

#include <utility>

namespace tvx::bar {

PageFlow::PageFlow(double pageHeight, NewPageFn newPage, HeadFn head)
    : pageHeight_(pageHeight), newPage_(std::move(newPage)), head_(std::move(head)) {
    y_ = head_ ? head_(0.0) : 0.0;
    headBottom_ = y_;
}

void PageFlow::StartPage() {
    if (failed_) return;
    if (newPage_ && !newPage_()) {
        failed_ = true;
        return;
    }
    ++pages_;
    y_ = head_ ? head_(0.0) : 0.0;
    headBottom_ = y_;
}

double PageFlow::Place(double height) {
    if (!Fits(height)) StartPage();
    const double top = y_;
    y_ += height;
    return top;
}

void PageFlow::BreakPage() {
    if (y_ > headBottom_) StartPage();
}

void PageFlow::KeepTogether(double height) {
    if (!Fits(height)) StartPage();
}

}  // namespace tvx::bar
