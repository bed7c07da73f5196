#include "bar/ui/bar_row_ops.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "common/text_file.h"

namespace tvx::bar {
namespace {

std::size_t Index(int row) {
    return static_cast<std::size_t>(row);
}

}  // namespace

bool InsertBlankRow(BarCutList& list, int row) {
    if (row < 0 || row >= list.rowCount || list.rowCount >= kMaxRows) return false;
    // Grow first, so that the last row has somewhere to go.
    EnsureRowCapacity(list, list.rowCount);
    for (int r = list.rowCount - 1; r >= row; --r) {
        list.cutLength[Index(r + 1)] = list.cutLength[Index(r)];
        list.cutQuantity[Index(r + 1)] = list.cutQuantity[Index(r)];
        list.cutComment[Index(r + 1)] = std::move(list.cutComment[Index(r)]);
    }
    list.cutLength[Index(row)] = 0.0f;
    list.cutQuantity[Index(row)] = 0;
    list.cutComment[Index(row)].clear();
    ++list.rowCount;
    if (list.rowCount % kRowsPerPage == 0) EnsureRowCapacity(list, list.rowCount + kRowsPerPage);
    return true;
}

bool DeleteRow(BarCutList& list, int row) {
    const int size = list.Capacity();
    if (row < 0 || row >= size) return false;
    for (int r = row; r < size - 1; ++r) {
        list.cutLength[Index(r)] = list.cutLength[Index(r + 1)];
        list.cutQuantity[Index(r)] = list.cutQuantity[Index(r + 1)];
        list.cutComment[Index(r)] = std::move(list.cutComment[Index(r + 1)]);
    }
    list.cutLength[Index(size - 1)] = 0.0f;
    list.cutQuantity[Index(size - 1)] = 0;
    list.cutComment[Index(size - 1)].clear();
    if (row < list.rowCount) --list.rowCount;
    return true;
}

std::string CellText(const BarCutList& list, int row, GridColumn column) {
    if (row < 0 || row >= list.Capacity()) return {};
    switch (column) {
        case GridColumn::PartCode:
            return list.cutComment[Index(row)];
        case GridColumn::Length: {
            const float length = list.cutLength[Index(row)];
            return length > 0.0f ? FormatSingle(length) : std::string();
        }
        case GridColumn::Quantity: {
            const std::int16_t quantity = list.cutQuantity[Index(row)];
            return quantity >= 1 ? std::to_string(quantity) : std::string();
        }
    }
    return {};
}

CellStore StoreCellText(BarCutList& list, int row, GridColumn column, std::string_view text) {
    CellStore store;
    if (row < 0 || row >= list.Capacity()) return store;
    if (column == GridColumn::PartCode) {
        if (list.cutComment[Index(row)] != text) {
            list.cutComment[Index(row)] = std::string(text);
            store.verdict = CellVerdict::Stored;
        }
        return store;
    }
    if (!text.empty() && !IsWholeNumberText(text)) {
        store.verdict = CellVerdict::NotANumber;
        return store;
    }
    const double value = text.empty() ? 0.0 : LeadingNumber(text);
    if (column == GridColumn::Length) {
        const std::optional<float> length = ToSingle(value);
        if (!std::isfinite(value) || !length || *length < 0.0f) {
            store.verdict = CellVerdict::LengthRange;
            return store;
        }
        if (list.cutLength[Index(row)] != *length) {
            list.cutLength[Index(row)] = *length;
            store.verdict = CellVerdict::Stored;
        }
        return store;
    }
    const std::optional<std::int16_t> quantity = ToInt16(value);
    if (!std::isfinite(value) || !quantity || *quantity < 0) {
        store.verdict = CellVerdict::QuantityRange;
        return store;
    }
    if (list.cutQuantity[Index(row)] != *quantity) {
        list.cutQuantity[Index(row)] = *quantity;
        list.rowCount = static_cast<std::int16_t>(std::max<int>(list.rowCount, row + 1));
        store.verdict = CellVerdict::Stored;
    }
    return store;
}

std::string CellRefusalMessage(CellVerdict verdict) {
    switch (verdict) {
        case CellVerdict::NotANumber:
            return "数値を入力してください。";
        case CellVerdict::QuantityRange:
            return "本数は0から32767までの整数で入力してください。";
        case CellVerdict::LengthRange:
            return "長さは0以上の数値で入力してください。";
        default:
            return {};
    }
}

std::string CopyRowsText(const BarCutList& list, int first, int last, bool showPartCodes) {
    std::string text;
    for (int row = first; row <= last; ++row) {
        if (showPartCodes) text += CellText(list, row, GridColumn::PartCode) + "\t";
        text += CellText(list, row, GridColumn::Length) + "\t" +
                CellText(list, row, GridColumn::Quantity) + "\r\n";
    }
    return text;
}

PasteForm ReadPasteForm(std::string_view text, bool showPartCodes) {
    PasteForm form;
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty()) return form;
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines) rows.push_back(SplitTabFields(line));
    if (rows.size() == 1 && rows[0].size() == 1) {
        form.kind = PasteForm::Kind::SingleValue;
        form.value = rows[0][0];
        return form;
    }
    const std::size_t wanted = showPartCodes ? 3 : 2;
    for (const auto& fields : rows)
        if (fields.size() != wanted) return form;
    form.kind = PasteForm::Kind::Rows;
    form.rows = std::move(rows);
    return form;
}

void RowUndo::Take(const BarCutList& list) {
    lengths = list.cutLength;
    quantities = list.cutQuantity;
    comments = list.cutComment;
    rowCount = list.rowCount;
    available = true;
}

void RowUndo::Drop() {
    lengths.clear();
    quantities.clear();
    comments.clear();
    rowCount = 0;
    available = false;
}

bool RowUndo::Restore(BarCutList& list, int pageTop) {
    if (!available) return false;
    list.cutLength = std::move(lengths);
    list.cutQuantity = std::move(quantities);
    list.cutComment = std::move(comments);
    list.rowCount = rowCount;
    EnsureRowCapacity(list, std::max(kInitialRowSlots - 1, pageTop + kRowsPerPage));
    Drop();
    return true;
}

}  // namespace tvx::bar
