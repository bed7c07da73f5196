#include "pdf_plan.h"

#include <QGuiApplication>
#include <memory>

#include "panel/output/print_result.h"

namespace tvx::panel::cli {

int WritePdfPlanOffscreen(const PanelJob& job, const LayoutInput& input,
                          const PanelLayoutResult& result, const std::string& path,
                          const std::string& paper, std::string& error) {
    // The application lives for this call only; a command-line tool never needs a display.
    int argc = 1;
    char name[] = "tavolex-cli";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QPageSize size = PaperByName(paper);
    if (!size.isValid()) {
        error = "不明な用紙サイズです: " + paper;
        return 0;
    }
    return WritePlanPdf(job, input, result, path, size, &error);
}

}  // namespace tvx::panel::cli
