#pragma once
// The one fit test of the printed plan: every line asks for its height; when it does not fit
// below what the page holds, a new page is started and its head (the title) written first.
// A line taller than an empty page is placed anyway, so printing always ends. No Qt.

#include <functional>

namespace tvx::bar {

class PageFlow {
  public:
    // Starts a device page; false when the device refused.
    using NewPageFn = std::function<bool()>;
    // Writes the page head at the top `y` and returns its height.
    using HeadFn = std::function<double(double y)>;

    // The printable height runs from 0 to `pageHeight`. The first page is already begun; its
    // head is written at once.
    PageFlow(double pageHeight, NewPageFn newPage, HeadFn head);

    bool Fits(double height) const { return y_ + height <= pageHeight_ || y_ <= headBottom_; }
    // The top of a line of `height`: on this page when it fits, else at the top of a new page
    // under its head. The position then moves below the line.
    double Place(double height);
    // Starts a new page unless the current one holds only its head.
    void BreakPage();
    // Room before a block: starts a new page when the whole block does not fit here.
    void KeepTogether(double height);
    // Adds space below the last line (no new page for a gap).
    void Skip(double height) { y_ += height; }

    double y() const { return y_; }
    int pages() const { return pages_; }
    // A device refused a new page; nothing more is drawn.
    bool failed() const { return failed_; }

  private:
    void StartPage();

    double pageHeight_;
    NewPageFn newPage_;
    HeadFn head_;
    double y_ = 0.0;
    double headBottom_ = 0.0;
    int pages_ = 1;
    bool failed_ = false;
};

}  // namespace tvx::bar
