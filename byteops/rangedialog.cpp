#include "byteops/rangedialog.h"

#include "byteops/fieldids.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "byteops/decimalfield.h"
#include "byteops/fieldfailure.h"
#include "byteops/fieldtext.h"
#include "byteops/hexfield.h"
#include "prompt/dialogbuttons.h"

RangeDialog::RangeDialog(RangeDialogKind kind, qint64 fileSize, QWidget* parent)
    : QDialog(parent)
    , m_row(rangeDialogRow(kind))
    , m_fileSize(fileSize)
    , m_layout(new QVBoxLayout(this))
{
    setWindowTitle(QString::fromLatin1(m_row.title));
    setObjectName(QStringLiteral("RangeDialog%1").arg(m_row.dialogId));
}

QLineEdit* RangeDialog::field(int fieldId) const
{
    const auto it = m_fields.find(fieldId);
    return it == m_fields.end() ? nullptr : it->second;
}

QFormLayout* RangeDialog::addForm(const QString& groupTitle)
{
    auto* form = new QFormLayout;
    if (groupTitle.isEmpty()) {
        m_layout->addLayout(form);
        return form;
    }
    auto* group = new QGroupBox(groupTitle, this);
    group->setLayout(form);
    m_layout->addWidget(group);
    return form;
}

HexField* RangeDialog::addHexField(QFormLayout* form, int fieldId, const QString& label, int maxLength,
                                   const QString& trailing)
{
    auto* edit = new HexField(maxLength, this);
    addField(form, fieldId, label, edit, trailing);
    return edit;
}

DecimalField* RangeDialog::addDecimalField(QFormLayout* form, int fieldId, const QString& label, int maxLength)
{
    auto* edit = new DecimalField(maxLength, this);
    addField(form, fieldId, label, edit, {});
    return edit;
}

QLabel* RangeDialog::addLabelledRow(QFormLayout* form, const QString& label, QWidget* control)
{
    QLabel* text = caption(label, control);
    form->addRow(text, control);
    return text;
}

QLabel* RangeDialog::fieldLabel(int fieldId) const
{
    const auto it = m_labels.find(fieldId);
    return it == m_labels.end() ? nullptr : it->second;
}

void RangeDialog::addField(QFormLayout* form, int fieldId, const QString& label, QLineEdit* edit,
                           const QString& trailing)
{
    edit->setObjectName(QStringLiteral("field%1").arg(fieldId));
    if (trailing.isEmpty()) {
        m_labels[fieldId] = addLabelledRow(form, label, edit);
    } else {
        auto* line = new QHBoxLayout;
        line->addWidget(edit);
        line->addWidget(new QLabel(trailing, this));
        m_labels[fieldId] = caption(label, edit);
        form->addRow(m_labels[fieldId], line);
    }
    m_fields[fieldId] = edit;
    if (!m_firstField)
        m_firstField = edit;
}

QLabel* RangeDialog::caption(const QString& label, QWidget* buddy)
{
    auto* text = new QLabel(withMnemonic(label), this);
    text->setBuddy(buddy);
    return text;
}

QButtonGroup* RangeDialog::addChoice(const QString& groupTitle, const QStringList& labels, int chosen)
{
    auto* box = new QGroupBox(groupTitle, this);
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new QRadioButton(withMnemonic(labels.at(i)), box);
        column->addWidget(button);
        group->addButton(button, i);
    }
    if (QAbstractButton* button = group->button(chosen))
        button->setChecked(true);
    m_layout->addWidget(box);
    return group;
}

QString RangeDialog::withMnemonic(const QString& label)
{
    for (qsizetype i = 0; i < label.size(); ++i) {
        const QChar letter = label.at(i).toLower();
        if (letter.isLetter() && !m_mnemonics.contains(letter)) {
            m_mnemonics += letter;
            return label.left(i) + QLatin1Char('&') + label.mid(i);
        }
    }
    return label;
}

void RangeDialog::finishLayout()
{
    m_fileSizeLabel = new QLabel(RangeDialogText::fileSizeLine(m_row, m_fileSize), this);
    m_fileSizeLabel->setObjectName(QStringLiteral("fileSizeLine"));
    m_layout->addWidget(m_fileSizeLabel);
    finishLayout(makeDialogButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
}

void RangeDialog::finishLayout(QDialogButtonBox* buttons)
{
    m_layout->addWidget(buttons);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
}

qint64 RangeDialog::start() const
{
    return hexValue(FieldId::StartAddress);
}

qint64 RangeDialog::end() const
{
    return hexValue(FieldId::EndAddress);
}

void RangeDialog::addBlockFields(const QString& groupTitle)
{
    QFormLayout* form = addForm(groupTitle);
    addHexField(form, FieldId::StartAddress, QStringLiteral("Start Address (Hex):"), 8);
    addHexField(form, FieldId::EndAddress, QStringLiteral("End Address (Hex):"), 8);
}

void RangeDialog::showBlock(qint64 start, qint64 end)
{
    showAddress(FieldId::StartAddress, start);
    showEndAddress(FieldId::EndAddress, end);
}

void RangeDialog::showAddress(int fieldId, qint64 address)
{
    field(fieldId)->setText(FieldText::hexOrEmpty(address));
}

void RangeDialog::showEndAddress(int fieldId, qint64 address)
{
    showAddress(fieldId, RangeDialogText::openingEnd(m_row, address, m_fileSize));
}

quint32 RangeDialog::hexValue(int fieldId) const
{
    return FieldText::hexNumber(field(fieldId)->text().trimmed()).value_or(0);
}

qint32 RangeDialog::decimalValue(int fieldId) const
{
    return FieldText::decimalNumber(field(fieldId)->text().trimmed()).value_or(0);
}

qint64 RangeDialog::optionalAddress(int fieldId) const
{
    const std::optional<quint32> value = FieldText::hexNumber(field(fieldId)->text().trimmed());
    return value ? qint64(*value) : -1;
}

void RangeDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_firstField) {
        m_firstField->setFocus(Qt::OtherFocusReason);
        m_firstField->selectAll();
    }
}

bool RangeDialog::fieldsPass()
{
    const auto textOf = [this](int fieldId) { return field(fieldId)->text(); };
    if (const std::optional<FieldFailure> failure = checkFields(fieldRules(ruleSet()), textOf, m_fileSize)) {
        reportFieldFailure(field(failure->fieldId), failure->message);
        return false;
    }
    return true;
}

void RangeDialog::accept()
{
    if (fieldsPass())
        QDialog::accept();
}
