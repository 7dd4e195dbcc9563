// The outcome of comparing the configuration on the screen with an instrument or a file: a box
// when the two match or cannot be compared, otherwise a dialog listing every difference.
#pragma once

#include "config/config_comparison.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace vanta::core {
class Interaction;
}

namespace vanta::config {

// How the dialog names the second configuration; the first is always the screen's.
struct ComparisonNames
{
    QString title;  // "Verify", "Compare with Instrument", "Compare with File"
    QString column; // the heading of its values: "Instrument 32", the file's name
    QString prose;  // "the instrument at address 32", "the file C:/a.csv"
};

// lblDifferences says how many parameters differ between what; grdDifferences lists them with
// the register, the caption and both values; cmdClose closes the dialog.
class CompareResultDialog : public QDialog
{
    Q_OBJECT

public:
    CompareResultDialog(QWidget *parent, const ConfigComparison &comparison,
                        const ComparisonNames &names);

private:
    QLabel *lblDifferences = nullptr;
    QTableWidget *grdDifferences = nullptr;
};

// A refusal as a warning (unless the read or load told the user already) and a match as an
// information box through `ui`; differences in a
// CompareResultDialog over `parent`, which closes itself. Returns the dialog, or nullptr when a
// box told the outcome.
CompareResultDialog *showComparison(QWidget *parent, core::Interaction &ui,
                                    const ConfigComparison &comparison,
                                    const ComparisonNames &names);

} // namespace vanta::config
