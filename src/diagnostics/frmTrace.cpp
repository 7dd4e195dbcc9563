// The protocol trace window: a table over the trace view, filled by a timer.
#include "diagnostics/frmTrace.h"

#include "ui/controls.h"
#include "ui/run_handler.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::diagnostics {

class TraceTableModel : public QAbstractTableModel
{
public:
    explicit TraceTableModel(const TraceView &view) : m_view(view) {}

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_view.rowCount();
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(comms::traceColumnTitles().size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || index.row() >= m_view.rowCount())
            return {};
        return m_view.row(index.row()).value(index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        return comms::traceColumnTitles().value(section);
    }

    void appended(int rows)
    {
        const int last = m_view.rowCount() - 1;
        beginInsertRows({}, last - rows + 1, last);
        endInsertRows();
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const TraceView &m_view;
};

frmTrace::frmTrace(const ui::WindowContext &context, comms::TraceRing &ring, QWidget *parent)
    : QWidget(parent), m_context(context), m_ring(ring), m_view(ring),
      m_model(std::make_unique<TraceTableModel>(m_view))
{
    setObjectName(QStringLiteral("frmTrace"));
    setWindowTitle(QStringLiteral("Protocol Trace"));
    buildControls();
    tmrRefresh = new QTimer(this);
    tmrRefresh->setObjectName(QStringLiteral("tmrRefresh"));
    tmrRefresh->setInterval(TraceRefreshMs);
    connect(tmrRefresh, &QTimer::timeout, this, &frmTrace::tmrRefresh_Timer);
    connect(cmdClear, &QPushButton::clicked, this, &frmTrace::cmdClear_Click);
    connect(txtAddress, &QLineEdit::textChanged, this, &frmTrace::txtAddress_Change);
    connect(cmdSaveText, &QPushButton::clicked, this,
            [this] { saveTrace(m_context.ui(), m_view, TraceFormat::Text); });
    connect(cmdSaveCsv, &QPushButton::clicked, this,
            [this] { saveTrace(m_context.ui(), m_view, TraceFormat::Csv); });
    resize(1100, 500);
}

frmTrace::~frmTrace()
{
    grdTrace->setModel(nullptr); // the model goes before the table
}

void frmTrace::buildControls()
{
    grdTrace = new QTableView(this);
    grdTrace->setObjectName(QStringLiteral("grdTrace"));
    grdTrace->setModel(m_model.get());
    grdTrace->verticalHeader()->hide();
    grdTrace->horizontalHeader()->setStretchLastSection(true);
    grdTrace->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdTrace->setWordWrap(false);
    const int widths[] = {60, 170, 60, 70, 60, 200, 150, 330, 120};
    for (int column = 0; column < int(std::size(widths)); ++column)
        grdTrace->setColumnWidth(column, widths[column]);
    chkPause = ui::newCheckBox(this, "chkPause", QStringLiteral("&Pause"));
    txtAddress = ui::newTextBox(this, "txtAddress");
    txtAddress->setMaximumWidth(60);
    cmdClear = ui::newButton(this, "cmdClear", QStringLiteral("&Clear"));
    cmdSaveText = ui::newButton(this, "cmdSaveText", QStringLiteral("Save as &Text..."));
    cmdSaveCsv = ui::newButton(this, "cmdSaveCsv", QStringLiteral("Save as CS&V..."));
    QLabel *filter = ui::newLabel(this, "lblAddress", QStringLiteral("Address:"));
    ui::addToBox(new QVBoxLayout(this), {ui::newRow({chkPause, filter, txtAddress, ui::Stretch,
                                                     cmdClear, cmdSaveText, cmdSaveCsv}),
                                         grdTrace});
}

void frmTrace::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    tmrRefresh_Timer();
    tmrRefresh->start();
}

void frmTrace::hideEvent(QHideEvent *event)
{
    tmrRefresh->stop(); // the ring keeps recording; the rows catch up when shown again
    QWidget::hideEvent(event);
}

void frmTrace::tmrRefresh_Timer()
{
    if (chkPause->isChecked())
        return;
    const int added = m_view.takeBatch();
    if (added == 0)
        return;
    if (m_view.droppedFront() > 0)
        m_model->reset(); // rows left at the front: a full table moves on as a whole
    else
        m_model->appended(added);
    grdTrace->scrollToBottom();
}

void frmTrace::cmdClear_Click()
{
    m_view.clear(m_ring);
    m_model->reset();
}

void frmTrace::txtAddress_Change()
{
    m_view.setAddressFilter(txtAddress->text());
    m_model->reset();
    tmrRefresh_Timer();
}

} // namespace vanta::diagnostics
