#include "job_report.h"

#include <ostream>

#include "common/number_text.h"

namespace tvx::panel::cli {

Json StockSizesJson(const PanelJob& job) {
    Json sizes = Json::MakeArray();
    for (int i = 0; i <= job.lastSizeIndex && i < kStockTableSize; ++i) {
        const StockEntry& e = job.stock[static_cast<std::size_t>(i)];
        Json size = Json::MakeObject();
        size["height"] = e.height;
        size["width"] = e.width;
        size["price"] = e.price;
        size["limit"] = e.limit;
        sizes.Push(std::move(size));
    }
    return sizes;
}

Json JobJson(const PanelJob& job) {
    Json rows = Json::MakeArray();
    for (int r = 0; r < job.cutCount; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        Json row = Json::MakeObject();
        row["height"] = item.height;
        row["width"] = item.width;
        row["quantity"] = item.quantity;
        row["comment"] = item.comment;
        row["turnFlag"] = job.turnFlag[static_cast<std::size_t>(r)];
        rows.Push(std::move(row));
    }
    Json object = Json::MakeObject();
    object["title"] = job.jobTitle;
    object["lastSizeIndex"] = job.lastSizeIndex;
    object["priceMode"] = job.priceMode;
    object["sizes"] = StockSizesJson(job);
    object["kerf"] = job.kerf;
    object["rotateAll"] = job.rotateAll ? 1 : 0;  // written as numbers, as in the job file
    object["ktyFree"] = job.ktyFree ? 1 : 0;
    object["cutCount"] = job.cutCount;
    object["rows"] = std::move(rows);
    return object;
}

void PrintJob(const PanelJob& job, std::ostream& out) {
    out << "表題: " << job.jobTitle << "\n";
    if (job.lastSizeIndex < 0) {
        out << "パネルサイズ: " << job.typedHeight << " × " << job.typedWidth << "\n";
    }
    for (int i = 0; i <= job.lastSizeIndex && i < kStockTableSize; ++i) {
        const StockEntry& e = job.stock[static_cast<std::size_t>(i)];
        out << "パネルサイズ " << i + 1 << ": " << e.height << " × " << e.width;
        if (e.price != 0) out << "  " << e.price << "円/枚";
        if (e.limit != 0) out << "  上限 " << e.limit << "枚";
        out << "\n";
    }
    out << "切断幅: " << job.kerf << "\n";
    out << "縦横: " << (job.ktyFree ? "行ごとに指定" : job.rotateAll ? "縦横自由" : "固定") << "\n";
    out << "カットサイズ: " << job.cutCount << "行\n";
    for (int r = 0; r < job.cutCount; ++r) {
        const CutItem& item = job.cutList[static_cast<std::size_t>(r)];
        out << "  (" << r + 1 << ") " << FormatSingle(item.height) << " × "
            << FormatSingle(item.width) << "  " << item.quantity << "枚";
        if (job.ktyFree && job.turnFlag[static_cast<std::size_t>(r)] == 1) out << "  縦横自由";
        if (!item.comment.empty()) out << "  " << item.comment;
        out << "\n";
    }
}

}  // namespace tvx::panel::cli
