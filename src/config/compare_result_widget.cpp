// The comparison's outcome box and its list of differences.
#include "config/compare_result_widget.h"

#include "core/interaction.h"
#include "ui/controls.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vanta::config {

namespace {

constexpr int DialogWidth = 760;
constexpr int DialogHeight = 420;

QString summaryText(const ConfigComparison &comparison, const ComparisonNames &names)
{
    const std::size_t count = comparison.differences.size();
    return QStringLiteral("%1 %2 between the screen and %3:")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("difference") : QStringLiteral("differences"))
        .arg(names.prose);
}

QTableWidget *newDifferenceGrid(QWidget *parent, const ConfigComparison &comparison,
                                const ComparisonNames &names)
{
    auto *grid = new QTableWidget(static_cast<int>(comparison.differences.size()), 4, parent);
    grid->setObjectName(QStringLiteral("grdDifferences"));
    grid->setHorizontalHeaderLabels({QStringLiteral("Register"), QStringLiteral("Parameter"),
                                     QStringLiteral("Screen"), names.column});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    int row = 0;
    for (const ParameterDifference &d : comparison.differences) {
        const QString cells[] = {d.registerText, d.caption, d.first, d.second};
        for (int column = 0; column < 4; ++column)
            grid->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

} // namespace

CompareResultDialog::CompareResultDialog(QWidget *parent, const ConfigComparison &comparison,
                                         const ComparisonNames &names)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgCompareResult"));
    setWindowTitle(names.title);
    lblDifferences = ui::newLabel(this, "lblDifferences", summaryText(comparison, names));
    grdDifferences = newDifferenceGrid(this, comparison, names);
    QPushButton *cmdClose = ui::newButton(this, "cmdClose", QStringLiteral("Close"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    ui::addToBox(new QVBoxLayout(this),
                 {lblDifferences, grdDifferences, ui::newRow({ui::Stretch, cmdClose})});
    resize(DialogWidth, DialogHeight);
}

CompareResultDialog *showComparison(QWidget *parent, core::Interaction &ui,
                                    const ConfigComparison &comparison,
                                    const ComparisonNames &names)
{
    if (comparison.isRefused()) {
        if (comparison.toldAlready)
            return nullptr;
        ui.MsgBox(comparison.refusal, core::MsgButtons::Ok, core::MsgIcon::Exclamation, names.title,
                  core::MsgResult::Ok);
        return nullptr;
    }
    if (comparison.isEqual()) {
        ui.MsgBox(QStringLiteral("The screen and %1 hold the same configuration.").arg(names.prose),
                  core::MsgButtons::Ok, core::MsgIcon::Information, names.title,
                  core::MsgResult::Ok);
        return nullptr;
    }
    auto *dialog = new CompareResultDialog(parent, comparison, names);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open(); // modal, without holding the caller
    return dialog;
}

} // namespace vanta::config
