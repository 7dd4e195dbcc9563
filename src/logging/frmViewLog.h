// The snapshot of a session's current log: the lines as they were when "View Current" was
// pressed; lines appended afterwards are not shown.
#pragma once

#include "logging/log_viewing.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace vanta::logging {

class frmViewLog : public QDialog
{
    Q_OBJECT

public:
    explicit frmViewLog(const LogSnapshot &snapshot, QWidget *parent = nullptr);

private:
    QPlainTextEdit *txtLog = nullptr;
    QPushButton *cmdClose = nullptr;
};

} // namespace vanta::logging
