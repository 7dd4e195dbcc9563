// Print targets to printers and back.
#include "ui/printing.h"

#include <QPageLayout>

namespace vanta::ui {

std::unique_ptr<QPrinter> printerFor(const core::PrintTarget &target)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!target.pdfFile.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(target.pdfFile);
    } else if (!target.printerName.isEmpty()) {
        printer->setPrinterName(target.printerName);
    }
    printer->setPageOrientation(target.orientation == core::PageOrientation::Landscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    return printer;
}

core::PrintTarget printTargetOf(const QPrinter &printer)
{
    core::PrintTarget target;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        target.pdfFile = printer.outputFileName();
    else
        target.printerName = printer.printerName();
    target.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                             ? core::PageOrientation::Landscape
                             : core::PageOrientation::Portrait;
    return target;
}

} // namespace vanta::ui
