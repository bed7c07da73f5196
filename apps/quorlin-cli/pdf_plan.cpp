#include "pdf_plan.h"

#include <QGuiApplication>
#include <memory>

#include "bar/output/bar_plan_view.h"
#include "bar/output/print_plan.h"
#include "common/gui/paper_names.h"

namespace tvx::bar::cli {

int WritePdfPlanOffscreen(const BarJob& job, const std::string& path, const std::string& paper,
                          std::string& error) {
    // The application lives for this call only; a command-line tool never needs a display.
    int argc = 1;
    char name[] = "quorlin-cli";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QPageSize size = gui::PageSizeByName(paper);
    if (!size.isValid()) {
        error = "不明な用紙サイズです: " + paper;
        return 0;
    }
    return WriteBarPlanPdf(CaptureBarPlanView(job), path, size, &error);
}

}  // namespace tvx::bar::cli
