// quorlin-cli: plans a bar job file from the command line (the work is in cli.h).

#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#ifdef TVX_CLI_PDF
#include "pdf_plan.h"
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    tvx::bar::cli::PdfPlanWriter pdfWriter;
#ifdef TVX_CLI_PDF
    pdfWriter = &tvx::bar::cli::WritePdfPlanOffscreen;
#endif
    return tvx::bar::cli::RunQuorlinCli(args, std::cout, std::cerr, pdfWriter);
}
