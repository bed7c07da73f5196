// tavolex-cli: plans a panel job file without the window.

#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#ifdef TVX_CLI_PDF
#include "pdf_plan.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tvx::panel::cli::PdfPlanWriter pdfWriter;
#ifdef TVX_CLI_PDF
    pdfWriter = &tvx::panel::cli::WritePdfPlanOffscreen;
#endif
    return tvx::panel::cli::RunTavolexCli(args, std::cout, std::cerr, pdfWriter);
}
