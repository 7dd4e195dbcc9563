// The log snapshot window.
#include "logging/frmViewLog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanta::logging {

frmViewLog::frmViewLog(const LogSnapshot &snapshot, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmViewLog"));
    setWindowTitle(snapshotCaption(snapshot.path));

    txtLog = new QPlainTextEdit(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    txtLog->setReadOnly(true);
    txtLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtLog->setPlainText(snapshot.lines.join(QLatin1Char('\n')));

    cmdClose = new QPushButton(QStringLiteral("C&lose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtLog);
    layout->addLayout(buttons);
    resize(640, 420);
}

} // namespace vanta::logging
