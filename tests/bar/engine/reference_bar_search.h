#pragma once
// A plain transcription of the assignment algorithm for the tests: recursive, with the
// two-dimensional bar tables (bar, slot), whole copies of the remaining quantities when a bar
// is closed and one copy per repeated bar. Only for small jobs; the engine must produce the
// very same bars in the same order.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "bar/model/bar_job.h"

namespace tvx::bar::test {

struct ReferenceResult {
    bool solved = false;
    float bestCost = 0;
    float noSolutionCost = 0;
    std::vector<float> stockLength;
    std::vector<float> pieceLength;
    std::vector<long> resultCount;
    std::vector<std::vector<int>> bars;  // piece indices per bar, plan order
};

class ReferenceBarSearch {
  public:
    ReferenceResult Run(const BarJob& job, long stepLimit = 40000) {
        stepLimit_ = stepLimit;
        Prepare(job);
        ReferenceResult result;
        result.stockLength = len_;
        result.pieceLength = plen_;
        if (K_ == 0 || T_ == 0) return result;
        Search();
        result.noSolutionCost = noSolution_;
        result.bestCost = best_;
        result.solved = best_ < noSolution_;
        result.resultCount = resultCount_;
        for (long k = 0; k < resultBarCount_; ++k) {
            std::vector<int> bar;
            for (int s = 1; s <= resultBars_[k][0]; ++s) bar.push_back(resultBars_[k][s]);
            result.bars.push_back(bar);
        }
        return result;
    }

  private:
    void Prepare(const BarJob& job) {
        T_ = job.stock.stockEntryCountInUse;
        bool allPrices = true;
        for (int t = 0; t < T_; ++t)
            if (job.stock.stockEntryPrice[t] == 0.0f) allPrices = false;
        len_.assign(T_, 0);
        cost_.assign(T_, 0);
        limit_.assign(T_, 0);
        for (int t = 0; t < T_; ++t) {
            len_[t] = job.kerf + job.stock.stockEntryLength[t];
            cost_[t] = allPrices ? job.stock.stockEntryPrice[t] : job.stock.stockEntryLength[t];
            limit_[t] = job.stock.stockEntryCount[t];
        }
        for (int i = T_ - 1; i >= 1; --i)
            for (int j = 0; j < i; ++j)
                if (len_[j] > 0 && len_[j + 1] < len_[j]) {
                    std::swap(len_[j], len_[j + 1]);
                    std::swap(cost_[j], cost_[j + 1]);
                    std::swap(limit_[j], limit_[j + 1]);
                }
        plen_.clear();
        rem_.clear();
        left_ = 0;
        for (int r = 0; r < job.cutList.rowCount; ++r) {
            if (!(job.cutList.cutLength[r] > 0 && job.cutList.cutQuantity[r] >= 1)) continue;
            plen_.push_back(job.kerf + job.cutList.cutLength[r]);
            rem_.push_back(job.cutList.cutQuantity[r]);
            left_ += job.cutList.cutQuantity[r];
        }
        K_ = static_cast<int>(plen_.size());
        for (int i = K_ - 1; i >= 1; --i)
            for (int j = 0; j < i; ++j)
                if (plen_[j + 1] > plen_[j]) {
                    std::swap(plen_[j], plen_[j + 1]);
                    std::swap(rem_[j], rem_[j + 1]);
                }
        if (!job.showPartCodes) {
            int f = 0;
            while (f + 1 < K_) {
                if (plen_[f] == plen_[f + 1]) {
                    rem_[f] += rem_[f + 1];
                    for (int g = f + 1; g + 1 < K_; ++g) {
                        plen_[g] = plen_[g + 1];
                        rem_[g] = rem_[g + 1];
                    }
                    --K_;
                    plen_.resize(K_);
                    rem_.resize(K_);
                } else {
                    ++f;
                }
            }
        }
        while (T_ > 0 && K_ > 0 && len_[0] < plen_[K_ - 1]) {
            len_.erase(len_.begin());
            cost_.erase(cost_.begin());
            limit_.erase(limit_.begin());
            --T_;
        }
        float longest = 0, shortest = 0;
        for (float l : len_) longest = std::max(longest, l);
        if (K_ > 0) shortest = plen_[K_ - 1];
        const int slots = K_ > 0 ? static_cast<int>(longest / shortest) + 1 : 1;
        bar_.assign(left_ + 1, std::vector<int>(slots + 1, 0));
        passBars_ = bar_;
        resultBars_ = bar_;
    }

    int LongestOpen() {
        for (int t = T_ - 1; t >= 0; --t)
            if (used_[t] < planned_[t]) return t;
        return 0;
    }
    float Cost() {
        float c = 0;
        for (int t = 0; t < T_; ++t) c += static_cast<float>(used_[t]) * cost_[t];
        return c;
    }
    bool Bound() {
        const float target = std::min(best_, passBest_);
        const float spent = Cost();
        float demand = 0;
        for (int i = 0; i < K_; ++i) demand += static_cast<float>(rem_[i]) * plen_[i];
        float capacity = 0, extra = 0;
        for (int t = 1; t < T_; ++t) {
            const float open = static_cast<float>(planned_[t] - used_[t]);
            capacity += open * len_[t];
            extra += open * cost_[t];
        }
        while (demand > capacity) {
            if (!(capacity + len_[0] > capacity)) break;
            capacity += len_[0];
            extra += cost_[0];
        }
        return spent + extra < target;
    }
    void Record(long a) {
        for (int t = 0; t < T_; ++t)
            if (limit_[t] > 0 && used_[t] > limit_[t]) return;
        const float c = Cost();
        if (!(c < passBest_)) return;
        passBest_ = c;
        for (long k = 0; k <= a; ++k)
            for (int s = 0; s <= bar_[k][0]; ++s) passBars_[k][s] = bar_[k][s];
        bestUsed_ = used_;
    }
    void FillBar(long a, int b, float c, int s) {
        if (step_ > stepLimit_) return;
        ++step_;
        bool placed = false;
        for (int i = s; i < K_; ++i) {
            if (rem_[i] >= 1 && c >= plen_[i]) {
                placed = true;
                rem_[i] -= 1;
                bar_[a][0] += 1;
                bar_[a][bar_[a][0]] = i;
                left_ -= 1;
                if (left_ > 0)
                    FillBar(a, b, c - plen_[i], i);
                else
                    Record(a);
                rem_[i] += 1;
                bar_[a][0] -= 1;
                left_ += 1;
            }
        }
        if (placed) return;
        if (bar_[a][0] == 0) return;
        const std::vector<long> savedRem = rem_;
        const long savedLeft = left_;
        const long savedUsed = used_[b];
        long available = planned_[b] - used_[b];
        std::vector<long> pattern(K_, 0);
        for (int k = 1; k <= bar_[a][0]; ++k) pattern[bar_[a][k]] += 1;
        while (available >= 1) {
            bool enough = true;
            for (int k = 0; k < K_; ++k)
                if (rem_[k] < pattern[k]) enough = false;
            if (!enough) break;
            for (int k = 0; k < K_; ++k) {
                rem_[k] -= pattern[k];
                left_ -= pattern[k];
            }
            for (int q = 0; q <= bar_[a][0]; ++q) bar_[a + 1][q] = bar_[a][q];
            used_[b] += 1;
            available -= 1;
            a += 1;
        }
        if (left_ > 0 && Bound()) {
            bar_[a + 1][0] = 0;
            const int t = LongestOpen();
            if (!(limit_[0] > 0 && t == 0 && used_[0] >= limit_[0])) {
                used_[t] += 1;
                const int start = t == b ? bar_[a][1] : 0;
                FillBar(a + 1, t, len_[t], start);
                used_[t] -= 1;
            }
        }
        if (left_ == 0) Record(a);
        rem_ = savedRem;
        left_ = savedLeft;
        used_[b] = savedUsed;
    }
    bool NextMix() {
        used_.assign(T_, 0);
        while (true) {
            std::vector<long> scratch = rem_;
            std::vector<bool> flag(T_, false);
            for (int t = T_ - 1; t >= 0; --t)
                for (long n = 0; n < planned_[t]; ++n) {
                    float cap = len_[t];
                    for (int i = 0; i < K_; ++i)
                        while (scratch[i] >= 1 && cap >= plen_[i]) {
                            cap -= plen_[i];
                            scratch[i] -= 1;
                            flag[t] = true;
                        }
                }
            int m = -1;
            for (int t = 0; t < T_ && m < 0; ++t)
                if (flag[t]) m = t;
            if (m < 0 || m == T_ - 1) return false;
            for (int t = 1; t <= m; ++t) planned_[t] = 0;
            planned_[m + 1] += 1;
            bool ok = Bound();
            for (int t = 1; t < T_; ++t)
                if (limit_[t] > 0 && planned_[t] > limit_[t]) ok = false;
            if (ok) return true;
        }
    }
    void Search() {
        resultCount_.assign(T_, 0);
        planned_.assign(T_, 0);
        used_.assign(T_, 0);
        bestUsed_.assign(T_, 0);
        planned_[0] = left_;
        for (int i = 0; i < K_; ++i)
            for (int j = 0; j + 1 < T_; ++j)
                if (len_[j] < plen_[i]) {
                    long fit = static_cast<long>(std::floor(len_[j + 1] / plen_[i]));
                    fit = std::max(1L, fit);
                    const long bars = (rem_[i] + fit - 1) / fit;
                    planned_[j + 1] += bars;
                    planned_[j] -= rem_[i];
                }
        float dearest = 0;
        for (float c : cost_) dearest = std::max(dearest, c);
        noSolution_ = static_cast<float>(left_) * dearest + 1;
        best_ = noSolution_;
        while (true) {
            passBest_ = noSolution_;
            used_.assign(T_, 0);
            const int t = LongestOpen();
            used_[t] += 1;
            step_ = 1;
            FillBar(0, t, len_[t], 0);
            if (passBest_ < best_) {
                best_ = passBest_;
                resultCount_ = bestUsed_;
                resultBarCount_ = 0;
                for (long c : resultCount_) resultBarCount_ += c;
                for (long k = 0; k < resultBarCount_; ++k)
                    for (int s = 0; s <= passBars_[k][0]; ++s) resultBars_[k][s] = passBars_[k][s];
            }
            if (!NextMix()) break;
        }
    }

    int T_ = 0, K_ = 0;
    std::vector<float> len_, cost_, plen_;
    std::vector<long> limit_, rem_, planned_, used_, bestUsed_, resultCount_;
    long left_ = 0, step_ = 0, stepLimit_ = 40000, resultBarCount_ = 0;
    float best_ = 0, passBest_ = 0, noSolution_ = 0;
    std::vector<std::vector<int>> bar_, passBars_, resultBars_;
};

}  // namespace tvx::bar::test
