// "Find Instruments": searches the line for instruments whose address and serial settings are
// not known, lists every one that answers and adds them to the instrument list on request.
#pragma once

#include "discovery/instrument_search.h"
#include "ui/navigator.h"

#include <QMainWindow>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vanta::discovery {

class frmFind : public QMainWindow, public ui::Activatable
{
    Q_OBJECT

public:
    explicit frmFind(const ui::WindowContext &context);

    // Form_Activate: shows lblDemoMode in demo mode.
    void activated() override;
    // Form_Deactivate: a running search stops after its current probe.
    void deactivated() override;

    void optInstControllerGroup_Click(int group);
    void cmdStartSearch_Click();
    void cmdCancelSearch_Click() { m_search.cancel(); }
    // Adds the instruments found to the instrument list.
    void cmdAddToList_Click();

protected:
    // Closing ends the program; a running search is cancelled first and the program ends once
    // it has unwound and the port is back at its settings.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QWidget *buildChoices(QWidget *parent);
    QWidget *buildSettings(QWidget *parent);
    void Form_Load();
    void serialChoice_Click();
    void applyFramingRules();
    SearchChoices choices() const;
    SearchHooks hooks();
    void showProgress(const SearchProgress &progress);
    void setSearching(bool searching);

    const ui::WindowContext &m_context;
    InstrumentSearch m_search;
    std::vector<FoundInstrument> m_found;
    bool SuppressEvents = false;

    QRadioButton *optInstControllerGroup[3] = {};
    QRadioButton *OptInstProtocol[4] = {};
    QComboBox *cbxStartAddress = nullptr;
    QComboBox *cbxEndAddress = nullptr;
    QComboBox *cbxBaudRate = nullptr;
    QComboBox *cbxParity = nullptr;
    QComboBox *cbxDataLength = nullptr;
    QComboBox *cbxStopBits = nullptr;
    QPushButton *cmdStartSearch = nullptr;
    QPushButton *cmdCancelSearch = nullptr;
    QPushButton *cmdAddToList = nullptr;
    QListWidget *lisSearchResults = nullptr;
    QLabel *lblProgress = nullptr;
    QProgressBar *prgSearch = nullptr;
    QLabel *lblErrorMessageText = nullptr;
    QLabel *lblDemoMode = nullptr;
    QWidget *fraNavigation = nullptr;
};

} // namespace vanta::discovery
