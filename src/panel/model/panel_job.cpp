#include "panel_job.h"

namespace tvx::panel {

TypedPanelStock TypedPanelSizeTaken(const PanelJob& job) {
    TypedPanelStock taken{job.stock[0], job.lastSizeIndex, job.priceMode};
    if (job.lastSizeIndex > 0) return taken;
    StockEntry& entry = taken.first;
    if (entry.height == job.typedHeight && entry.width == job.typedWidth) {
        taken.priceMode = entry.price > 0;
    } else {
        entry.height = job.typedHeight;
        entry.width = job.typedWidth;
        entry.price = 0;
        taken.priceMode = false;
    }
    if (job.cutsell) {
        entry.price = job.typedPrice;
        taken.priceMode = job.typedPrice > 0;
    }
    taken.lastSizeIndex = 0;
    return taken;
}

void TakeTypedPanelSize(PanelJob& job) {
    const TypedPanelStock taken = TypedPanelSizeTaken(job);
    job.stock[0] = taken.first;
    job.lastSizeIndex = taken.lastSizeIndex;
    job.priceMode = taken.priceMode;
}

void SaveUndo(PanelJob& job) {
    const int count = job.cutCount;
    job.undoList.assign(job.cutList.begin(), job.cutList.begin() + count);
    job.undoFlags.assign(job.turnFlag.begin(), job.turnFlag.begin() + count);
    job.undoCount = job.cutCount;
    job.undoReady = true;
}

bool RestoreUndo(PanelJob& job) {
    if (!job.undoReady) return false;
    job.cutList.fill(CutItem{});
    job.turnFlag.fill(0);
    for (std::size_t r = 0; r < job.undoList.size(); ++r) {
        job.cutList[r] = job.undoList[r];
        job.turnFlag[r] = r < job.undoFlags.size() ? job.undoFlags[r] : 0;
    }
    job.cutCount = job.undoCount;
    job.undoList.clear();
    job.undoFlags.clear();
    job.undoReady = false;
    return true;
}

void ResetJob(PanelJob& job) {
    SaveUndo(job);
    job.typedHeight = job.typedWidth = job.typedPrice = 0;
    job.rotateAll = false;
    job.jobTitle.clear();
    job.lastSizeIndex = -1;
    job.priceMode = false;
    job.stock.fill(StockEntry{});
    job.cutList.fill(CutItem{});
    job.turnFlag.fill(0);
    job.cutCount = 0;
}

PanelJob StartupJob(std::int16_t kerf, bool comIn, bool ktyFree, bool cutsell) {
    PanelJob job;
    job.kerf = kerf;
    job.comIn = comIn;
    job.ktyFree = ktyFree;
    job.cutsell = cutsell;
    return job;
}

}  // namespace tvx::panel
