// The optimising bar calculation on three sets of jobs, each run once as one benchmark with
// its figures as counters:
//  - the Falkenauer u250 and t60 instances (one length, no kerf), against the known optima;
//  - the 400-piece job with six priced and limited lengths of bar_calculation_bench;
//  - 200 random workshop jobs (1-6 lengths, prices on most, limits on some, kerf 0-5 with
//    decimals, 2-25 kinds, up to 500 pieces), against the standard calculation within its
//    benchmark budget of 200 passes.
// Times are wall-clock and process CPU seconds per job; peakMB is the process's peak memory.
// TVX_OPTIMAL_JOBS=n runs only the first n random jobs; TVX_BENCH_VERBOSE=1 prints each job;
// TVX_OPTIMAL_DUMP=DIR only saves each random job there as jobN.csv (to run with quorlin-cli).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bar/engine/bar_engine.h"
#include "bar/model/bar_job_reader.h"
#include "bar/model/bar_job_writer.h"
#include "bar/optimal/optimal_bar_engine.h"
#include "six_length_bar_job.h"

namespace {

using tvx::bar::AppendRow;
using tvx::bar::BarJob;
using tvx::bar::BarPlan;

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Timed {
    BarPlan plan;
    double wall = 0.0;
    double cpu = 0.0;
};

Timed RunOptimal(const BarJob& job) {
    const tvx::SearchControl control;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    Timed timed;
    timed.plan = tvx::bar::RunOptimalBarCalculation(job, tvx::bar::OptimalBarOptions{}, control);
    timed.cpu = CpuSeconds() - cpuStart;
    timed.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return timed;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

void TimeCounters(benchmark::State& state, const std::vector<double>& wall,
                  const std::vector<double>& cpu) {
    state.counters["wallMedian"] = Median(wall);
    state.counters["wallMax"] = wall.empty() ? 0.0 : *std::max_element(wall.begin(), wall.end());
    state.counters["cpuMedian"] = Median(cpu);
    state.counters["cpuMax"] = cpu.empty() ? 0.0 : *std::max_element(cpu.begin(), cpu.end());
    state.counters["peakMB"] = PeakMegabytes();
}

// The shared instances: TVX_FALKENAUER_DIR, else next to the repository.
std::filesystem::path FalkenauerDir() {
    if (const char* dir = std::getenv("TVX_FALKENAUER_DIR")) return dir;
    return std::filesystem::path(TVX_SOURCE_DIR) / ".." / "shared" / "benchmarks" / "falkenauer";
}

void BM_OptimalFalkenauer(benchmark::State& state) {
    std::ifstream best(FalkenauerDir() / "best.tsv");
    std::vector<std::pair<std::string, long>> instances;
    std::string line;
    while (std::getline(best, line)) {
        std::istringstream fields(line);
        std::string id;
        long capacity = 0, items = 0, optimum = 0;
        if (fields >> id >> capacity >> items >> optimum) instances.emplace_back(id, optimum);
    }
    if (instances.empty()) {
        state.SkipWithError("best.tsv not found");
        return;
    }
    for (auto _ : state) {
        long bars = 0, known = 0, atOptimum = 0, proven = 0;
        std::vector<double> wall, cpu;
        for (const auto& [id, optimum] : instances) {
            BarJob job = tvx::bar::StartupBarJob(0, false);
            if (!tvx::bar::ReadBarJobFile((FalkenauerDir() / (id + ".csv")).string(), job))
                continue;
            const Timed timed = RunOptimal(job);
            if (std::getenv("TVX_BENCH_VERBOSE"))
                std::fprintf(stderr, "%s: bars %lld (best %ld) proven %d wall %.2f cpu %.2f\n",
                             id.c_str(), static_cast<long long>(timed.plan.resultBarCount), optimum,
                             timed.plan.provenOptimal, timed.wall, timed.cpu);
            bars += timed.plan.resultBarCount;
            known += optimum;
            atOptimum += timed.plan.resultBarCount == optimum;
            proven += timed.plan.provenOptimal;
            wall.push_back(timed.wall);
            cpu.push_back(timed.cpu);
        }
        state.counters["jobs"] = static_cast<double>(wall.size());
        state.counters["bars"] = static_cast<double>(bars);
        state.counters["knownOptimum"] = static_cast<double>(known);
        state.counters["atOptimum"] = static_cast<double>(atOptimum);
        state.counters["proven"] = static_cast<double>(proven);
        TimeCounters(state, wall, cpu);
    }
}
BENCHMARK(BM_OptimalFalkenauer)->Unit(benchmark::kSecond)->Iterations(1);

void BM_OptimalFourHundredPiecesSixLengths(benchmark::State& state) {
    const BarJob job = tvx::bench::SixLengthPricedJob();
    for (auto _ : state) {
        const Timed timed = RunOptimal(job);
        state.counters["bars"] = static_cast<double>(timed.plan.resultBarCount);
        state.counters["cost"] = timed.plan.bestCost;
        state.counters["lowerBound"] = timed.plan.costLowerBound;
        state.counters["proven"] = timed.plan.provenOptimal;
        TimeCounters(state, {timed.wall}, {timed.cpu});
    }
}
BENCHMARK(BM_OptimalFourHundredPiecesSixLengths)->Unit(benchmark::kSecond)->Iterations(1);

// A workshop job: stock lengths from the usual range, priced at about 0.41-0.45 per unit of
// length (dearer per length for shorter bars) or unpriced, some with a limit, a kerf of 0 to
// 5 (with decimals), and 2-25 lengths (some with a half) of up to 500 pieces in all.
BarJob RandomWorkshopJob(std::mt19937& random) {
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const float kerfs[] = {0.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.2f, 4.0f, 5.0f};
    BarJob job = tvx::bar::StartupBarJob(kerfs[pick(0, 7)], false);
    std::vector<int> lengths = {2000, 3000, 4000, 4500, 5000, 5500, 6000, 7200};
    std::shuffle(lengths.begin(), lengths.end(), random);
    const int types = pick(1, 6);
    const bool priced = pick(0, 4) != 0;
    const int kinds = pick(2, 25);
    const int totalPieces = pick(kinds, 500);
    std::vector<float> pieceLength;
    const int longest = *std::max_element(lengths.begin(), lengths.begin() + types);
    for (int k = 0; k < kinds; ++k)
        pieceLength.push_back(static_cast<float>(pick(150, std::min(2500, longest - 10))) +
                              (pick(0, 2) == 0 ? 0.5f : 0.0f));
    double demandLength = 0.0;
    int placed = 0;
    for (int k = 0; k < kinds; ++k) {
        const int left = totalPieces - placed;
        const int quantity = k + 1 == kinds
                                 ? std::max(1, left)
                                 : std::max(1, std::min(left, pick(1, 2 * totalPieces / kinds)));
        placed += quantity;
        demandLength += quantity * (pieceLength[static_cast<std::size_t>(k)] + job.kerf);
        AppendRow(job.cutList, pieceLength[static_cast<std::size_t>(k)],
                  static_cast<std::int16_t>(quantity), "");
    }
    for (int s = 0; s < types; ++s) {
        const float length = static_cast<float>(lengths[static_cast<std::size_t>(s)]);
        job.stock.stockEntryLength[static_cast<std::size_t>(s)] = length;
        const double rate = 0.41 + 0.04 * (7200.0 - length) / 5200.0;
        job.stock.stockEntryPrice[static_cast<std::size_t>(s)] =
            priced ? static_cast<float>(std::round(length * rate / 10.0) * 10.0) : 0.0f;
        // Some types limited to a share of what the job needs of them (the longest type never
        // alone, so that most jobs stay feasible).
        if (types > 1 && pick(0, 2) == 0 && length < static_cast<float>(longest)) {
            const double bars = demandLength / length;
            job.stock.stockEntryCount[static_cast<std::size_t>(s)] =
                static_cast<std::int16_t>(std::max(1.0, std::round(bars * pick(10, 60) / 100.0)));
        }
    }
    job.stock.stockEntryCountInUse = static_cast<std::int16_t>(types);
    return job;
}

void BM_OptimalRandomWorkshopJobs(benchmark::State& state) {
    int jobs = 200;
    if (const char* n = std::getenv("TVX_OPTIMAL_JOBS")) jobs = std::max(1, std::atoi(n));
    for (auto _ : state) {
        std::mt19937 random(13);
        long proven = 0, planned = 0, noPlan = 0, standardFinished = 0, dearer = 0, cheaper = 0;
        long optimalBars = 0, standardBars = 0;
        double optimalCost = 0.0, standardCost = 0.0;
        std::vector<double> wall, cpu, standardWall;
        for (int j = 0; j < jobs; ++j) {
            const BarJob job = RandomWorkshopJob(random);
            if (const char* dump = std::getenv("TVX_OPTIMAL_DUMP")) {
                tvx::bar::SaveBarJobFile(
                    job,
                    (std::filesystem::path(dump) / ("job" + std::to_string(j) + ".csv")).string());
                continue;
            }
            const Timed timed = RunOptimal(job);
            wall.push_back(timed.wall);
            cpu.push_back(timed.cpu);
            if (std::getenv("TVX_BENCH_VERBOSE"))
                std::fprintf(stderr,
                             "job %d types %d rows %d kerf %g: wall %.2f cpu %.2f plan %d proven "
                             "%d cost %g bound %g\n",
                             j, job.stock.stockEntryCountInUse, job.cutList.rowCount, job.kerf,
                             timed.wall, timed.cpu, timed.plan.HasPlan(), timed.plan.provenOptimal,
                             timed.plan.bestCost, timed.plan.costLowerBound);
            if (!timed.plan.HasPlan()) {
                ++noPlan;
                continue;
            }
            ++planned;
            proven += timed.plan.provenOptimal;

            // The standard calculation within its benchmark budget of 200 passes.
            long passes = 0;
            tvx::SearchControl budget;
            budget.onProgress = [&](const tvx::SearchProgress&) {
                if (++passes >= 200) budget.RequestStop();
            };
            const auto start = std::chrono::steady_clock::now();
            const BarPlan standard =
                tvx::bar::RunBarCalculation(job, tvx::bar::BarOptions{}, budget);
            standardWall.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            if (passes >= 200 || !standard.HasPlan()) continue;
            ++standardFinished;
            optimalBars += timed.plan.resultBarCount;
            standardBars += standard.resultBarCount;
            optimalCost += timed.plan.bestCost;
            standardCost += standard.bestCost;
            dearer += timed.plan.bestCost > standard.bestCost;
            cheaper += timed.plan.bestCost < standard.bestCost;
        }
        state.counters["jobs"] = jobs;
        state.counters["planned"] = static_cast<double>(planned);
        state.counters["noPlan"] = static_cast<double>(noPlan);
        state.counters["proven"] = static_cast<double>(proven);
        state.counters["stdFinished"] = static_cast<double>(standardFinished);
        state.counters["dearerThanStd"] = static_cast<double>(dearer);
        state.counters["cheaperThanStd"] = static_cast<double>(cheaper);
        state.counters["barsOpt"] = static_cast<double>(optimalBars);
        state.counters["barsStd"] = static_cast<double>(standardBars);
        state.counters["costOpt"] = optimalCost;
        state.counters["costStd"] = standardCost;
        state.counters["stdWallMedian"] = Median(standardWall);
        TimeCounters(state, wall, cpu);
    }
}
BENCHMARK(BM_OptimalRandomWorkshopJobs)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
