// The configuration window's model: the header state and every field of the current controller
// group with what it shows and whether it is visible, and the conversions between instrument
// values, field values and parameter-file values. frmConfig only copies it into its controls
// and back; reading, sending and parameter files work on the model alone.
#pragma once

#include "config/parameter_table.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vanta::core {
class AppState;
}

namespace vanta::config {

// What one field shows, as the user sees it.
struct FieldState
{
    QString Text;         // txtParameter: text fields and reset values
    QString Hours;        // txtPattHour
    QString Minutes;      // txtPattMin
    int ListIndex = 0;    // cbxParameter position; for a reset value the cbxReset position
    quint16 Checked = 0;  // bit b set: the box of bit b is checked
    bool Visible = false; // the field and its caption; a bit field while any box shows
    quint16 VisibleBoxes = 0;
    QString UnitText; // the caption that follows another field (UnitCaption), else empty
};

struct DisplayFormat
{
    QString format;
    float divisor = 1;
};

class ConfigModel
{
public:
    // Loads the model for app.Config.ControllerGroup (see Load).
    explicit ConfigModel(const core::AppState &app);

    const core::AppState &app() const { return m_app; }

    // The window's load: the current group's fields and lists at their defaults, the default
    // address and model, DecimalPointIndex 0 and InputTypeIndex 1 (group 0), 0 (group 1) or 14
    // (group 2); then SetupFormFields. The default model is the fourth of group 0 on Vanta
    // Link, else the first; a shorter list gives its last model, an empty one none.
    void Load();
    int group() const { return m_group; } // the controller group of the last load

    // ---- Header ----
    qint16 DecimalPointIndex = 0; // 0..4
    qint16 InputTypeIndex = 1;    // group 0: list position + 1; groups 1 and 2: list position
    bool RampSoakAccess = false;
    bool ChangesPending = false;
    QString AddressText;    // cbxAddress
    QString Description;    // txtDescription
    QString LastConfigFile; // the path last chosen in a parameter file dialog

    // 1-based position of the selected model in ModelEntries(); 0 when none is selected.
    qint16 SelectedModel() const { return m_selectedModel; }
    // Position of the ramp/soak-only model "RS" in the list, 0 when there is none.
    qint16 RampSoakModelIndex() const { return m_rampSoakModelIndex; }
    // cbxModelID: each entry is the model name, 60 blanks and the model id.
    const QStringList &ModelEntries() const { return m_modelEntries; }
    const QString &ModelType() const { return m_modelType; } // lblModelType
    // The selected model's id (the entry's last two characters) upper-cased; empty for none.
    QString ModelId() const;
    QString ModelName() const; // the entry without its id, trimmed
    // Selects model `position` (1-based) with its type caption; any other position selects
    // none. The caller runs SetupFormFields.
    void selectModel(int position);

    int inputTypePosition() const; // position in the input type list
    void setInputTypePosition(int position);
    bool isDecimalPointVisible() const { return m_decimalPointVisible; }
    bool isPageAvailable(int page) const;

    // ---- SuppressEvents: set while the program itself fills fields ----
    bool SuppressEvents() const { return m_suppressDepth > 0; }
    class SuppressEventsGuard
    {
    public:
        explicit SuppressEventsGuard(ConfigModel &model) : m_model(model)
        {
            ++m_model.m_suppressDepth;
        }
        ~SuppressEventsGuard() { --m_model.m_suppressDepth; }
        SuppressEventsGuard(const SuppressEventsGuard &) = delete;
        SuppressEventsGuard &operator=(const SuppressEventsGuard &) = delete;

    private:
        ConfigModel &m_model;
    };

    // ---- Fields of the loaded group ----
    const std::vector<Page> &pages() const { return pagesOf(m_group); }
    const std::vector<Parameter> &parameters() const { return parametersOf(m_group); }
    bool hasField(int reg) const;
    // These throw AppError 9 "Subscript out of range" for a register without a field.
    const Parameter &parameter(int reg) const;
    FieldState &field(int reg);
    const FieldState &field(int reg) const;
    bool isBoxChecked(int reg, int bit) const;
    void setBoxChecked(int reg, int bit, bool checked);
    bool isBoxVisible(int reg, int bit) const;

    // The selected model has the register and the field table gives it the field's kind.
    bool modelHas(int reg) const;

    // Display format and divisor of a numeric field (whole numbers for any other register).
    DisplayFormat DecimalPointFormat(int reg) const;
    // Checks the boxes of the bits (field table columns 2 to 3) set in the 16-bit value.
    void DistributeBits(int reg, quint16 value);
    // The checked boxes as a signed 16-bit value: bit 15 alone gives -32768.
    qint16 CompressBits(int reg) const;
    // The register as messages name it: " 258" in group 0, " 1000H" in groups 1 and 2.
    QString GStr(int reg) const;

    // Visibility of every field of the group and the display format of every visible number.
    void SetupFormFields();
    // True when SetupFormFields reads the field of `reg` (a hide rule's condition, or a list
    // another field's caption follows): a user's change of it re-runs the rules.
    bool affectsFormFields(int reg) const;
    // Shows the number of a numeric field in its display format ("00" for hours and minutes);
    // empty or non-numeric text stays as typed. Other fields are left alone.
    void formatShownNumber(int reg);

    // ---- Values ----
    // An instrument's (unscaled) value shown in the field: scaled by the divisor, list
    // encodings decoded and clamped into the field table range, bits spread over the boxes.
    void setFromInstrument(int reg, double value);
    // The value to write: the shown number times the divisor, rounded to a whole number, or
    // the encoded list position or the bits. Empty when a numeric field is empty or holds no
    // number, so that nothing is written in its place.
    std::optional<double> instrumentValue(int reg) const;
    // The value a parameter file stores: the number as shown (at most 4 decimals), the list
    // position, the bits. Empty for an empty or non-numeric field: the line is left out.
    std::optional<QString> fileValueText(int reg) const;
    // A parameter file's value shown in the field, not divided. Throws AppError 380 "Invalid
    // property value" for a list position the list lacks and 6 "Overflow" for bits beyond
    // 16 bits.
    void setFromFile(int reg, double value);

private:
    int fieldIndex(int reg) const; // -1 for none
    quint16 bitRangeMask(int reg) const;
    void fillModelList();
    void setDefaultFields();
    QString shown(int reg, double value) const;
    void showMinutes(FieldState &f, double minutes) const;
    int positionFromInstrument(const Parameter &p, double value);
    void applyModelRules();
    void applyVisibility(const Parameter &p, FieldState &f) const;
    void formatNumbers(const Parameter &p, FieldState &f) const;
    void applyDependentRules();
    void applyUnitCaptions();

    const core::AppState &m_app;
    int m_group = 0;
    qint16 m_selectedModel = 0;
    qint16 m_rampSoakModelIndex = 0;
    QStringList m_modelEntries;
    QString m_modelType;
    bool m_decimalPointVisible = true;
    std::vector<bool> m_pageAvailable;
    std::vector<FieldState> m_fields; // parallel to parameters()
    int m_suppressDepth = 0;
};

} // namespace vanta::config
