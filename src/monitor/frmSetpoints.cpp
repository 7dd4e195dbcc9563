// The setpoint editor's window: handlers pass the controls to SetpointEditor and show its fields.
#include "monitor/frmSetpoints.h"

#include "ui/controls.h"
#include "ui/enter_as_tab.h"
#include "ui/field_focus.h"
#include "ui/run_handler.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta::monitor {

namespace {

struct FieldNames
{
    const char *caption;
    const char *captionName;
};

// In field order; the alarm 3 captions keep their own names.
constexpr std::array<FieldNames, SetpointFieldCount> Fields = {{
    {"SV:", "lblSV_0"},
    {"Alarm1 Lo SV:", "lblSV_1"},
    {"Alarm1 Hi SV:", "lblSV_2"},
    {"Alarm2 Lo SV:", "lblSV_3"},
    {"Alarm2 Hi SV:", "lblSV_4"},
    {"Alarm3 Hi SV:", "lblAlm3HiSV"},
    {"Alarm3 Lo SV:", "lblAlm3LoSV"},
}};

constexpr int FirstAlarm3Field = 5;

QByteArray indexed(const char *name, int index)
{
    return QByteArray(name) + '_' + QByteArray::number(index);
}

} // namespace

frmSetpoints::frmSetpoints(const ui::WindowContext &context, QWidget *parent)
    : QDialog(parent), m_context(context), m_editor(context.link)
{
    setObjectName(QStringLiteral("frmSetpoints"));
    setWindowTitle(QStringLiteral("Edit Setpoint Values"));
    buildControls();
    ui::installEnterAsTab(this);
    Form_Load();
}

void frmSetpoints::buildControls()
{
    const ui::InstrumentList instruments = ui::newInstrumentList(this);
    QLabel *heading = instruments.heading;
    lstControls = instruments.list;
    QLabel *instruction = ui::newLabel(
        this, "lblInstruction",
        QStringLiteral("Click a control in this list box to view/edit Setpoint Values.") +
            QString(24, QLatin1Char(' ')) + QStringLiteral("<---"));
    instruction->setWordWrap(true);
    lblAddressText = ui::newLabel(this, "lblAddressText");
    lblNameText = ui::newLabel(this, "lblNameText");
    cmdUpdate = ui::newButton(this, "cmdUpdate", QStringLiteral("&Update"));
    cmdClose = ui::newButton(this, "cmdClose", QStringLiteral("C&lose"));
    auto *captions = new QGridLayout;
    ui::addGridRows(captions,
                    {{ui::newLabel(this, "lblAddress", QStringLiteral("Address:")), lblAddressText},
                     {ui::newLabel(this, "lblName", QStringLiteral("Name:")), lblNameText}});
    ui::addToBox(new QVBoxLayout(this), {heading, lstControls, instruction, captions, buildFields(),
                                         ui::newRow({ui::Stretch, cmdUpdate, cmdClose})});

    // The list makes a row current only by the user's click or key (or the program's choice).
    connect(lstControls, &QListWidget::currentRowChanged, this, [this] { lstControls_Click(); });
    connect(cmdUpdate, &QPushButton::clicked, this, &frmSetpoints::cmdUpdate_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget *frmSetpoints::buildFields()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("fraSetpoints"));
    auto *grid = new QGridLayout(panel);
    for (int field = 0; field < SetpointFieldCount; ++field) {
        const FieldNames &names = Fields[static_cast<std::size_t>(field)];
        lblSV[field] = ui::newLabel(panel, names.captionName, QString::fromLatin1(names.caption));
        txtSV[field] = ui::newTextBox(panel, indexed("txtSV", field).constData());
        lblUnits[field] = ui::newLabel(panel, indexed("lblUnits", field).constData());
        txtSV[field]->installEventFilter(this);
        connect(txtSV[field], &QLineEdit::textEdited, this,
                [this, field](const QString &text) { m_editor.txtSV_Change(field, text); });
        grid->addWidget(lblSV[field], field, 0, Qt::AlignRight);
        grid->addWidget(txtSV[field], field, 1);
        grid->addWidget(lblUnits[field], field, 2);
    }
    return panel;
}

void frmSetpoints::Form_Load()
{
    ui::runHandler(m_context.ui(), "frmSetpoints.Form_Load", [this] {
        m_editor.Form_Load();
        {
            const QSignalBlocker quiet(lstControls);
            lstControls->clear();
            lstControls->addItems(m_editor.listLines());
        }
        lstControls->setEnabled(m_editor.listEnabled());
        showFields();
    });
}

void frmSetpoints::showFields()
{
    const SetpointFields &fields = m_editor.fields();
    lblAddressText->setText(fields.AddressText);
    lblNameText->setText(fields.NameText);
    lblNameText->setToolTip(fields.NameText);
    for (int field = 0; field < SetpointFieldCount; ++field) {
        const SetpointField &shown = fields.SV[static_cast<std::size_t>(field)];
        {
            const QSignalBlocker quiet(txtSV[field]);
            txtSV[field]->setText(shown.Text);
        }
        txtSV[field]->setEnabled(shown.Enabled);
        lblUnits[field]->setText(shown.UnitText);
        const bool visible = field < FirstAlarm3Field || fields.Alarm3Visible;
        for (QWidget *control :
             {static_cast<QWidget *>(lblSV[field]), static_cast<QWidget *>(txtSV[field]),
              static_cast<QWidget *>(lblUnits[field])})
            control->setVisible(visible);
    }
    cmdUpdate->setEnabled(fields.UpdateEnabled);
}

void frmSetpoints::lstControls_Click()
{
    ui::runHandler(m_context.ui(), "frmSetpoints.lstControls_Click", [this] {
        if (m_editor.lstControls_Click(lstControls->currentRow()))
            showFields();
    });
}

int frmSetpoints::fieldOf(const QObject *watched) const
{
    for (int field = 0; field < SetpointFieldCount; ++field) {
        if (txtSV[field] == watched)
            return field;
    }
    return -1;
}

void frmSetpoints::txtSV_LostFocus(int field)
{
    ui::runHandler(m_context.ui(), "frmSetpoints.txtSV_LostFocus", [this, field] {
        m_editor.txtSV_LostFocus(field, txtSV[field]->text());
        const QSignalBlocker quiet(txtSV[field]);
        txtSV[field]->setText(m_editor.fields().SV[static_cast<std::size_t>(field)].Text);
    });
}

bool frmSetpoints::eventFilter(QObject *watched, QEvent *event)
{
    const int field = fieldOf(watched);
    if (field < 0)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn)
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, txtSV[field], &QLineEdit::selectAll);
    else if (ui::isLeavingField(event))
        txtSV_LostFocus(field);
    return QDialog::eventFilter(watched, event);
}

void frmSetpoints::cmdUpdate_Click()
{
    // "&Update" by its key leaves the focus in the field: check that field first.
    const int focused = fieldOf(focusWidget());
    if (focused >= 0)
        txtSV_LostFocus(focused);
    ui::runHandler(m_context.ui(), "frmSetpoints.cmdUpdate_Click",
                   [this] { m_editor.cmdUpdate_Click(); });
}

void frmSetpoints::done(int result)
{
    if (!m_context.navigator.isEnding() && !m_editor.allowClose())
        return;
    QDialog::done(result);
}

} // namespace vanta::monitor
