#include "utilities/notationconvertwindow.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "byteops/decimalfield.h"
#include "byteops/hexfield.h"
#include "utilities/notationconversion.h"

namespace {

constexpr int kInputLength = 8;
// Room for the eight groups of "0000 " that eight hex digits give.
constexpr int kBinaryColumns = 42;

/// One half of the window: its input, its two outputs and its conversion.
struct NotationHalf {
    const char* title;
    const char* inputLabel;
    const char* numberLabel;
    const char* name;  // object names start with it
    NotationConversion (*convert)(QStringView);
};

constexpr NotationHalf kHexHalf{"Please type in the Hex field", "Hex:", "Dec:", "hex", NotationConversion::fromHex};
constexpr NotationHalf kDecimalHalf{"Please type in the Dec field", "Dec:", "Hex:", "decimal",
                                    NotationConversion::fromDecimal};

QLineEdit* makeOutput(const QString& name, QWidget* parent)
{
    auto* output = new QLineEdit(parent);
    output->setObjectName(name);
    output->setReadOnly(true);
    return output;
}

// A screen reader says the field's label, within its group's title.
void addLabelledRow(QFormLayout* form, const QString& label, QLineEdit* field)
{
    form->addRow(label, field);
    field->setAccessibleName(QString(label).remove(QLatin1Char(':')));
}

QGroupBox* makeHalf(const NotationHalf& half, QLineEdit* input, QWidget* window)
{
    const QString name = QString::fromLatin1(half.name);
    auto* box = new QGroupBox(QString::fromLatin1(half.title), window);
    input->setObjectName(name + QStringLiteral("Input"));
    QLineEdit* number = makeOutput(name + QStringLiteral("Number"), box);
    QLineEdit* binary = makeOutput(name + QStringLiteral("Binary"), box);
    binary->setMinimumWidth(binary->fontMetrics().horizontalAdvance(QString(kBinaryColumns, u'0')));

    auto* form = new QFormLayout(box);
    addLabelledRow(form, QString::fromLatin1(half.inputLabel), input);
    addLabelledRow(form, QString::fromLatin1(half.numberLabel), number);
    addLabelledRow(form, QStringLiteral("Bin:"), binary);
    const auto convert = half.convert;
    QObject::connect(input, &QLineEdit::textChanged, box, [convert, number, binary](const QString& text) {
        const NotationConversion result = convert(text);
        number->setText(result.number);
        binary->setText(result.binary);
    });
    return box;
}

}  // namespace

NotationConvertWindow::NotationConvertWindow(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("notationConvertWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setAccessibleName(QString::fromLatin1(kTitle));

    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    // Enter in a field must not close the window.
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeHalf(kHexHalf, new HexField(kInputLength, this), this));
    layout->addWidget(makeHalf(kDecimalHalf, new DecimalField(kInputLength, this), this));
    layout->addWidget(close, 0, Qt::AlignRight);
}
