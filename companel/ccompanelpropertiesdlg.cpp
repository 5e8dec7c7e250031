#include "companel/ccompanelpropertiesdlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "prompt/dialogbuttons.h"

namespace {

const char kReplaceExplanation[] =
    "The Replace mode means when you invoke the Start Receive command to start the receiving process, the data "
    "received in this process will replace the existing data which was received from previous receiving process in "
    "the Data Receiving Pane";
const char kAppendExplanation[] =
    "The Append mode means when you invoke the Start Receive command to start the receiving process, the data "
    "received in this process will be appended to the end of the existing data which was received from previous "
    "receiving process in the Data Receiving Pane";

/// A group box holding two radio buttons side by side; the first is checked unless second is.
QGroupBox* radioGroup(const QString& title, QRadioButton* first, QRadioButton* second, bool checkSecond,
                      QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setAccessibleName(title);
    auto* row = new QHBoxLayout(group);
    for (QRadioButton* button : {first, second}) {
        button->setAccessibleName(button->text());
        row->addWidget(button);
    }
    (checkSecond ? second : first)->setChecked(true);
    return group;
}

QLabel* explanation(const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    label->setAccessibleName(label->text());
    return label;
}

}  // namespace

CComPanelPropertiesDlg::CComPanelPropertiesDlg(SendDisplayType displayType, ReceiveStartMode startMode,
                                               QWidget* parent)
    : QDialog(parent)
    , m_hex(new QRadioButton(QStringLiteral("Hex"), this))
    , m_text(new QRadioButton(QStringLiteral("Text"), this))
    , m_replace(new QRadioButton(QStringLiteral("Replace"), this))
    , m_append(new QRadioButton(QStringLiteral("Append"), this))
    , m_replaceExplanation(explanation(kReplaceExplanation, this))
    , m_appendExplanation(explanation(kAppendExplanation, this))
{
    setWindowTitle(QStringLiteral("Com Panel Properties"));
    setObjectName(QStringLiteral("comPanelPropertiesDialog"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(radioGroup(QStringLiteral("Data Sending Pane Display Type"), m_hex, m_text,
                                 displayType == SendDisplayType::Text, this));
    layout->addWidget(radioGroup(QStringLiteral("Data Receiving Pane Start Mode"), m_replace, m_append,
                                 startMode == ReceiveStartMode::Append, this));
    // Both explanations share one place; the chosen mode's shows.
    auto* explanations = new QGridLayout;
    explanations->addWidget(m_replaceExplanation, 0, 0);
    explanations->addWidget(m_appendExplanation, 0, 0);
    layout->addLayout(explanations);
    layout->addWidget(makeDialogButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    connect(m_replace, &QRadioButton::toggled, this, &CComPanelPropertiesDlg::showExplanation);
    showExplanation();
}

void CComPanelPropertiesDlg::showExplanation()
{
    m_appendExplanation->setVisible(m_append->isChecked());
    m_replaceExplanation->setVisible(!m_append->isChecked());
}

SendDisplayType CComPanelPropertiesDlg::displayType() const
{
    return m_text->isChecked() ? SendDisplayType::Text : SendDisplayType::Hex;
}

ReceiveStartMode CComPanelPropertiesDlg::startMode() const
{
    return m_append->isChecked() ? ReceiveStartMode::Append : ReceiveStartMode::Replace;
}
