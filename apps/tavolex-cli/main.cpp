// tavolex-cli: plans a panel job file without the window.

#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#ifdef TVX_CLI_PDF
#include "pdf_plan.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef TVX_CLI_PDF
    tvx::panel::cli::SetPdfPlanWriter(&tvx::panel::cli::WritePdfPlanOffscreen);
#endif
    return tvx::panel::cli::RunTavolexCli(args, std::cout, std::cerr);
}
