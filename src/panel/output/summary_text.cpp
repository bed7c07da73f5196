#include "panel/output/summary_text.h"

#include <algorithm>

#include "common/gui/qt_text.h"
#include "panel/output/number_pictures.h"
#include "panel/output/result_session.h"

namespace tvx::panel {

namespace {

class SummaryWriter {
  public:
    SummaryWriter(gui::DrawSurface& s, const ResultSession& session, const CutSalePrices& prices,
                  double x, double y)
        : s_(s),
          session_(session),
          prices_(prices),
          x_(x),
          y_(y),
          lineHeight_(session.view().VH * kSummaryLineFactor) {
        s_.SetFontSize(session.textFontSize());
        s_.SetItalic(false);
    }

    void HeadLine() {
        const ResultFigures& f = session_.figures();
        QString line = U("パネルサイズ    ") + (RotateFreeNote() ? U("縦横自由   ") : U("     ")) +
                       U("歩留り ") + QString::number(f.yield) + U("％");
        if (session_.priceDisplay()) {
            line += U("   合計金額 ") + Q(Grouped(f.panelTotal)) + U("円");
        }
        Write(line);
    }

    void CompactHead() {
        const ResultFigures& f = session_.figures();
        Write(U("パネルサイズ  ") + (RotateFreeNote() ? U("縦横自由 ") : U("     ")) + U("歩留 ") +
              QString::number(f.yield) + U("％"));
    }

    void SizeLines(bool compact) {
        const LayoutInput& in = session_.input();
        for (const UsedSize& used : session_.figures().usedSizes) {
            const StockSize& size = in.sizes[static_cast<std::size_t>(used.sizeIndex)];
            QString line = Q(RightAligned(size.rawHeight, 4)) + U(" ×") +
                           Q(RightAligned(size.rawWidth, 4)) + Q(RightAligned(used.count, 4)) +
                           U("枚");
            if (session_.priceDisplay()) {
                line += compact ? U("(") + Q(Grouped(size.price)) + U("円/枚)")
                                : U("（") + Q(Grouped(size.price)) + U("円/枚）");
            }
            Write(line);
        }
    }

    void CompactTotalLine() {
        if (!session_.priceDisplay()) return;
        Write(U("            合計金額 ") + Q(Grouped(session_.figures().panelTotal)) + U("円"));
    }

    void ListHeader() {
        Write(U("カットサイズ　（合計") + Q(Grouped(session_.figures().totalPieces)) + U("枚）"));
    }

    // Items first .. first + count - 1: listed rows, then the closing total line.
    void Items(int first, int count) {
        const std::vector<int>& rows = session_.figures().listedRows;
        for (int item = first; item < first + count; ++item) {
            if (item < static_cast<int>(rows.size())) {
                Row(rows[static_cast<std::size_t>(item)]);
            } else if (session_.CutSaleShown()) {
                TotalLine();
            }
        }
    }

  private:
    bool RotateFreeNote() const { return session_.job().rotateAll && !session_.job().ktyFree; }

    double Column(int i) const {
        return x_ + session_.figures().columns[static_cast<std::size_t>(i)] * session_.view().VW;
    }

    void Write(const QString& line) {
        s_.PrintAt(x_, y_, line);
        y_ += lineHeight_;
    }

    void Row(int r) {
        const PartRow& row = session_.input().rows[static_cast<std::size_t>(r)];
        s_.SetItalic(true);
        s_.PrintAt(x_, y_, Q(RightAligned(r + 1, 2)));
        s_.SetItalic(false);
        s_.PrintAt(Column(0), y_, Q(SummarySize(row.rawHeight)));
        s_.PrintAt(Column(1), y_, QStringLiteral("x"));
        s_.PrintAt(Column(2), y_, Q(SummarySize(row.rawWidth)));
        QString rest = Q(RightAligned(row.rawQuantity, 3)) + U("枚");
        if (session_.job().ktyFree) rest += row.turnFlag != 0 ? U("v ") : U("  ");
        if (session_.CutSaleShown()) {
            const std::int32_t price = static_cast<std::size_t>(r) < prices_.price.size()
                                           ? prices_.price[static_cast<std::size_t>(r)]
                                           : 0;
            rest += U("（") + Q(Grouped(price)) + U("円/枚）");
        }
        s_.PrintAt(Column(3), y_, rest);
        ruleEnd_ = std::max(ruleEnd_, s_.CurrentX());
        Comment(QString::fromStdString(row.comment));
        y_ += lineHeight_;
    }

    // The comment fills what is left of the line, in a smaller font and cut from the end
    // when it is too long.
    void Comment(QString comment) {
        if (comment.isEmpty()) return;
        const double room = session_.view().VW - s_.CurrentX();
        if (s_.TextWidth(comment) >= room) {
            s_.SetFontSize(session_.textFontSize() - 2);
            while (!comment.isEmpty() && s_.TextWidth(comment) >= room) comment.chop(1);
        }
        s_.Print(comment);
        s_.SetFontSize(session_.textFontSize());
    }

    void TotalLine() {
        const double left = Column(0);
        const double right =
            std::max(ruleEnd_, Column(3) + s_.TextWidth(U("999枚（99,999円/枚）")));
        s_.Line(left, y_, right, y_);
        s_.PrintAt(Column(3), y_, U(" 合計   ") + Q(Grouped(prices_.partsTotal)) + U("円"));
        y_ += lineHeight_;
    }

    gui::DrawSurface& s_;
    const ResultSession& session_;
    const CutSalePrices& prices_;
    double x_;
    double y_;
    double lineHeight_;
    double ruleEnd_ = 0;
};

}  // namespace

SummaryCounts CountSummary(const ResultSession& session) {
    SummaryCounts counts;
    counts.sizes = static_cast<int>(session.figures().usedSizes.size());
    counts.rows = static_cast<int>(session.figures().listedRows.size());
    counts.totalLine = session.CutSaleShown();
    return counts;
}

void WriteSummary(gui::DrawSurface& surface, const ResultSession& session,
                  const SummaryPagePlan& plan, const CutSalePrices& prices) {
    if (plan.form == SummaryForm::None) return;
    SummaryWriter w(surface, session, prices, plan.x, plan.y);
    switch (plan.form) {
        case SummaryForm::Full:
        case SummaryForm::Opening:
            w.HeadLine();
            w.SizeLines(false);
            w.ListHeader();
            w.Items(plan.firstItem, plan.itemCount);
            break;
        case SummaryForm::Compact:
            w.CompactHead();
            w.SizeLines(true);
            w.CompactTotalLine();
            w.ListHeader();
            w.Items(plan.firstItem, plan.itemCount);
            break;
        case SummaryForm::Continued:
            w.Items(plan.firstItem, plan.itemCount);
            break;
        case SummaryForm::None:
            break;
    }
}

}  // namespace tvx::panel
