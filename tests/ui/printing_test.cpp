// Printing: a PDF print target becomes a printer that writes that file.
#include "ui/printing.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta;

TEST(Printing, APdfTargetPrintsIntoItsFile)
{
    const QTemporaryDir folder;
    core::PrintTarget target;
    target.pdfFile = folder.filePath(QStringLiteral("graph.pdf"));
    target.orientation = core::PageOrientation::Landscape;

    const std::unique_ptr<QPrinter> printer = ui::printerFor(target);
    {
        QPainter painter;
        ASSERT_TRUE(painter.begin(printer.get()));
        painter.drawText(100, 100, QStringLiteral("Process value"));
    }

    QFile file(target.pdfFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), QByteArrayLiteral("%PDF-"));
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
    const core::PrintTarget back = ui::printTargetOf(*printer);
    EXPECT_EQ(back.pdfFile, target.pdfFile);
    EXPECT_TRUE(back.printerName.isEmpty());
    EXPECT_EQ(back.orientation, core::PageOrientation::Landscape);
}
