#include "support/FakePlatform.h"

#include <QPrinter>

namespace testdata {

bool FakePlatform::showPrintDialog(QWidget*, QPrinter& printer, const platform::PrintRequest& request) {
    printDialogs.push_back(request);
    if (printAccepted) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printOutputFile);
    }
    return printAccepted;
}

}  // namespace testdata
