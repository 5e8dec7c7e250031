#pragma once

#include <QDialog>

#include <map>

#include "byteops/rangedialogrows.h"

class DecimalField;
class HexField;
class QButtonGroup;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

/// The frame every parameter dialog shares: its fields by control id, each
/// with its label as buddy (mnemonic and accessible name), the File Size line,
/// OK and Cancel, and the checks on OK in the dialog's fixed order. Subclasses
/// lay out their fields and read the values back once the dialog is accepted.
class RangeDialog : public QDialog {
    Q_OBJECT

public:
    RangeDialog(RangeDialogKind kind, qint64 fileSize, QWidget* parent);

    const RangeDialogRow& row() const { return m_row; }
    qint64 fileSize() const { return m_fileSize; }
    QLineEdit* field(int fieldId) const;
    /// The Start Address and End Address fields, as hexadecimal values.
    qint64 start() const;
    qint64 end() const;
    QLabel* fileSizeLabel() const { return m_fileSizeLabel; }

    void accept() override;

protected:
    /// A form for fields, inside a titled group box when groupTitle is not empty.
    QFormLayout* addForm(const QString& groupTitle = {});
    /// trailing, when given, is a note shown after the field ("(in Hex)").
    HexField* addHexField(QFormLayout* form, int fieldId, const QString& label, int maxLength,
                          const QString& trailing = {});
    DecimalField* addDecimalField(QFormLayout* form, int fieldId, const QString& label, int maxLength);
    /// A row of any control under its label, which is the control's buddy.
    QLabel* addLabelledRow(QFormLayout* form, const QString& label, QWidget* control);
    QLabel* fieldLabel(int fieldId) const;
    /// Radio buttons in a titled group, one per label; a button's id in the
    /// group is its index, and the button at chosen is checked.
    QButtonGroup* addChoice(const QString& groupTitle, const QStringList& labels, int chosen);
    /// Adds the File Size line and OK and Cancel; call after the fields.
    void finishLayout();
    /// Adds buttons of the dialog's own and no File Size line; call after the fields.
    void finishLayout(QDialogButtonBox* buttons);
    /// Runs the dialog's checks in order; the first failure is reported and
    /// its field focused. True when every check passed.
    bool fieldsPass();

    /// The Start Address and End Address fields of a block, in a titled group.
    void addBlockFields(const QString& groupTitle);
    /// Shows a block's default addresses in its two fields.
    void showBlock(qint64 start, qint64 end);
    /// Shows an address in hex, or nothing when it is negative.
    void showAddress(int fieldId, qint64 address);
    /// Shows an end address, clamped to the last byte where the dialog does so.
    void showEndAddress(int fieldId, qint64 address);
    /// A checked field's value as its rule reads it.
    quint32 hexValue(int fieldId) const;
    qint32 decimalValue(int fieldId) const;
    /// An optional address field: -1 when empty.
    qint64 optionalAddress(int fieldId) const;

    /// The checks OK runs; dialogs whose checks depend on a choice override it.
    virtual FieldRuleSet ruleSet() const { return m_row.rules; }

    /// Opens with the first field's text selected, so typing replaces it.
    void showEvent(QShowEvent* event) override;

private:
    void addField(QFormLayout* form, int fieldId, const QString& label, QLineEdit* edit, const QString& trailing);
    /// A field's label, its buddy, with a mnemonic letter not used before.
    QLabel* caption(const QString& label, QWidget* buddy);
    QString withMnemonic(const QString& label);

    const RangeDialogRow& m_row;
    qint64 m_fileSize;
    QVBoxLayout* m_layout;
    QLabel* m_fileSizeLabel = nullptr;
    std::map<int, QLineEdit*> m_fields;
    std::map<int, QLabel*> m_labels;
    QLineEdit* m_firstField = nullptr;
    QString m_mnemonics;  // letters already used by a label
};
