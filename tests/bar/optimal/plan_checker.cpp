#include "bar/optimal/plan_checker.h"

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <utility>

namespace tvx::bar::test {
namespace {

__extension__ typedef __int128 Wide;  // exact sums of scaled decimals

// value = digits × 10^-places, from the shortest text of the single value.
struct Fixed {
    Wide digits = 0;
    int places = 0;
};

Fixed ToFixed(float value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    Fixed fixed;
    bool point = false;
    for (const char* c = text; c != end; ++c) {
        if (*c == '.') {
            point = true;
        } else if (*c >= '0' && *c <= '9') {
            fixed.digits = fixed.digits * 10 + (*c - '0');
            if (point) ++fixed.places;
        }
    }
    return fixed;
}

Wide Raise(const Fixed& f, int places) {
    Wide v = f.digits;
    for (int p = f.places; p < places; ++p) v *= 10;
    return v;
}

struct StockEntry {
    float length;
    float cost;
    int limit;
};

}  // namespace

std::string PlanCheck::Text() const {
    std::ostringstream out;
    for (const std::string& p : problems) out << p << "\n";
    return out.str();
}

bool PiecesFit(float stock, float kerf, const std::vector<float>& pieces) {
    std::vector<Fixed> all{ToFixed(stock), ToFixed(kerf)};
    for (const float p : pieces) all.push_back(ToFixed(p));
    int places = 0;
    for (const Fixed& f : all) places = std::max(places, f.places);
    Wide used = 0;
    for (std::size_t i = 2; i < all.size(); ++i) used += Raise(all[i], places);
    if (pieces.size() > 1) used += Raise(all[1], places) * static_cast<Wide>(pieces.size() - 1);
    return used <= Raise(all[0], places);
}

PlanCheck CheckPlan(const BarJob& job, const BarPlan& plan) {
    PlanCheck check;
    auto problem = [&](const std::string& text) { check.problems.push_back(text); };
    if (!plan.HasPlan()) {
        problem("the plan has no bars");
        return check;
    }

    // The job's stock entries with their cost by the cost rule.
    std::vector<StockEntry> entries;
    bool allPrices = true;
    for (int s = 0; s < job.stock.stockEntryCountInUse; ++s)
        allPrices = allPrices && job.stock.stockEntryPrice[static_cast<std::size_t>(s)] != 0.0f;
    for (int s = 0; s < job.stock.stockEntryCountInUse; ++s) {
        const auto i = static_cast<std::size_t>(s);
        entries.push_back({job.stock.stockEntryLength[i],
                           allPrices ? job.stock.stockEntryPrice[i] : job.stock.stockEntryLength[i],
                           job.stock.stockEntryCount[i]});
    }
    // Each plan stock type is a distinct job entry of the same length and cost.
    std::vector<int> entryOf(plan.stockLength.size(), -1);
    std::vector<bool> taken(entries.size(), false);
    for (std::size_t t = 0; t < plan.stockLength.size(); ++t) {
        for (std::size_t e = 0; e < entries.size() && entryOf[t] < 0; ++e) {
            if (!taken[e] && job.kerf + entries[e].length == plan.stockLength[t] &&
                entries[e].cost == plan.barCost[t] && entries[e].limit == plan.countLimit[t]) {
                entryOf[t] = static_cast<int>(e);
                taken[e] = true;
            }
        }
        if (entryOf[t] < 0) problem("stock type " + std::to_string(t) + " is not in the job");
    }
    if (!check.Sound()) return check;

    // Demand per (entered length, part code), and each plan piece kind's entered length.
    using Key = std::pair<float, std::string>;
    std::map<Key, long long> wanted, cut;
    std::vector<float> entered(plan.pieceLength.size(), -1.0f);
    for (int r = 0; r < job.cutList.rowCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (!IsValidBarRow(job.cutList, r)) continue;
        const float length = job.cutList.cutLength[i];
        wanted[{length, job.showPartCodes ? job.cutList.cutComment[i] : ""}] +=
            job.cutList.cutQuantity[i];
        for (std::size_t k = 0; k < plan.pieceLength.size(); ++k) {
            const bool sameCode =
                !job.showPartCodes || plan.pieceComment[k] == job.cutList.cutComment[i];
            if (job.kerf + length == plan.pieceLength[k] && sameCode) entered[k] = length;
        }
    }
    for (std::size_t k = 0; k < entered.size(); ++k)
        if (entered[k] < 0.0f) problem("piece kind " + std::to_string(k) + " is not in the job");
    if (!check.Sound()) return check;

    std::vector<long long> perType(plan.stockLength.size(), 0);
    int previousType = static_cast<int>(plan.stockLength.size());
    for (std::size_t b = 0; b < plan.resultBars.size(); ++b) {
        const BarRun& run = plan.resultBars[b];
        const std::string where = "run " + std::to_string(b) + ": ";
        if (run.count < 1 || run.pieces.empty()) problem(where + "empty run");
        if (run.stockType < 0 || run.stockType >= static_cast<int>(plan.stockLength.size())) {
            problem(where + "unknown stock type");
            continue;
        }
        if (run.stockType > previousType) problem(where + "not grouped longest type first");
        previousType = run.stockType;
        std::vector<float> lengths;
        for (std::size_t k = 0; k < run.pieces.size(); ++k) {
            const int piece = run.pieces[k];
            if (piece < 0 || piece >= static_cast<int>(entered.size())) {
                problem(where + "unknown piece kind");
                continue;
            }
            if (k > 0 && plan.pieceLength[static_cast<std::size_t>(run.pieces[k - 1])] <
                             plan.pieceLength[static_cast<std::size_t>(piece)])
                problem(where + "pieces not longest first");
            lengths.push_back(entered[static_cast<std::size_t>(piece)]);
            cut[{entered[static_cast<std::size_t>(piece)],
                 job.showPartCodes ? plan.pieceComment[static_cast<std::size_t>(piece)] : ""}] +=
                run.count;
        }
        const StockEntry& stock = entries[static_cast<std::size_t>(entryOf[run.stockType])];
        if (!PiecesFit(stock.length, job.kerf, lengths)) problem(where + "pieces overflow the bar");
        perType[static_cast<std::size_t>(run.stockType)] += run.count;
        check.bars += run.count;
    }
    if (cut != wanted) problem("the pieces cut differ from the demand");
    if (check.bars != plan.resultBarCount) problem("resultBarCount differs from the bars");
    for (std::size_t t = 0; t < perType.size(); ++t) {
        const StockEntry& stock = entries[static_cast<std::size_t>(entryOf[t])];
        if (perType[t] != plan.resultCount[t]) problem("resultCount differs from the bars");
        if (stock.limit > 0 && perType[t] > stock.limit) problem("count limit exceeded");
        check.cost += static_cast<double>(perType[t]) * stock.cost;
    }
    if (std::fabs(check.cost - plan.bestCost) > 1e-6 * std::max(1.0, check.cost))
        problem("bestCost " + std::to_string(plan.bestCost) + " differs from the recomputed " +
                std::to_string(check.cost));
    return check;
}

}  // namespace tvx::bar::test
