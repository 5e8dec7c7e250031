#include "serial/cmaxcomportdlg.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "byteops/decimalfield.h"
#include "byteops/fieldfailure.h"
#include "byteops/fieldtext.h"
#include "prompt/dialogbuttons.h"
#include "serial/defaultsettingsstore.h"
#include "serial/serialmessages.h"

namespace {
constexpr int kFieldLength = 4;
}

CMaxComPortDlg::CMaxComPortDlg(int maxComPort, QWidget* parent)
    : QDialog(parent)
    , m_field(new DecimalField(kFieldLength, this))
    , m_maxComPort(maxComPort)
{
    setWindowTitle(QStringLiteral("Max Com Port"));
    setObjectName(QStringLiteral("maxComPortDialog"));
    m_field->setObjectName(QStringLiteral("maxComPort"));
    m_field->setAccessibleName(QStringLiteral("Maximum Com Port"));
    m_field->setText(QString::number(maxComPort));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Maximum Com Port:"), m_field);

    QDialogButtonBox* buttons = makeDialogButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CMaxComPortDlg::accept()
{
    const QString text = m_field->text();
    if (text.isEmpty())
        return reportFieldFailure(m_field, SerialMessages::maxComPortEmpty());
    // Typing is filtered, pasting is not.
    const auto value = FieldText::decimalNumber(text);
    if (!value)
        return reportFieldFailure(m_field, SerialMessages::maxComPortInvalid());
    if (*value < DefaultSettingsStore::kSmallestMaxComPort)
        return reportFieldFailure(m_field, SerialMessages::maxComPortTooSmall());
    m_maxComPort = *value;
    QDialog::accept();
}
