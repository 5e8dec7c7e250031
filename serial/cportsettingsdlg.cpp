#include "serial/cportsettingsdlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "prompt/dialogbuttons.h"
#include "settings/settingsstore.h"
#include "serial/portdevicemap.h"
#include "serial/portsettingstext.h"

namespace {

/// Picks the first entry that begins with the text, in any letter case, or the first entry.
void selectByPrefix(QComboBox* list, const QString& text)
{
    list->setCurrentIndex(std::max(list->findText(text, Qt::MatchStartsWith), 0));
}

}  // namespace

CPortSettingsDlg::CPortSettingsDlg(Kind kind, const PortSettings& settings, int maxComPort,
                                   const QList<SerialDeviceEntry>& devices, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
{
    using namespace PortSettingsText;
    const bool defaults = kind == Kind::DefaultSettings;
    setWindowTitle(defaults ? QStringLiteral("Set Default Parameters") : QStringLiteral("Com Port Settings"));
    setObjectName(defaults ? QStringLiteral("setDefaultParametersDialog") : QStringLiteral("comPortSettingsDialog"));
    auto* form = new QFormLayout;
    m_port = addList(form, defaults ? QStringLiteral("Default Com Port:") : QStringLiteral("Selected Com Port:"),
                     portNames(maxComPort), settings.portName, QStringLiteral("comPort"));
    m_device = addDeviceField(form, devices);
    m_baudRate = addList(form, QStringLiteral("Baud Rate (Bits/Sec):"), baudRates(), textOfBaudRate(settings.baudRate),
                         QStringLiteral("baudRate"));
    m_byteSize = addList(form, QStringLiteral("Byte Size (Bits/Byte):"), byteSizes(), textOfByteSize(settings.byteSize),
                         QStringLiteral("byteSize"));
    m_parity = addList(form, QStringLiteral("Parity:"), parities(), textOfParity(settings.parity),
                       QStringLiteral("parity"));
    m_stopBits = addList(form, QStringLiteral("Stop Bits:"), stopBits(), textOfStopBits(settings.stopBits),
                         QStringLiteral("stopBits"));

    QDialogButtonBox* buttons = makeDialogButtons(this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    if (defaults) {
        QPushButton* reset = buttons->addButton(QStringLiteral("Reset All"), QDialogButtonBox::ResetRole);
        reset->setObjectName(QStringLiteral("resetAll"));
        connect(reset, &QPushButton::clicked, this, &CPortSettingsDlg::resetAll);
    }
    connect(m_port, &QComboBox::currentIndexChanged, this, &CPortSettingsDlg::showDeviceOfPort);
    showDeviceOfPort();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QComboBox* CPortSettingsDlg::addList(QFormLayout* form, const QString& label, const QStringList& entries,
                                     const QString& current, const QString& name)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(entries);
    selectByPrefix(list, current);
    list->setAccessibleName(QString(label).remove(QLatin1Char(':')));
    form->addRow(label, list);
    return list;
}

QComboBox* CPortSettingsDlg::addDeviceField(QFormLayout* form, const QList<SerialDeviceEntry>& devices)
{
    auto* field = new QComboBox(this);
    field->setObjectName(QStringLiteral("deviceFile"));
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setMinimumContentsLength(40);
    field->setAccessibleName(QStringLiteral("Device file"));
    field->setToolTip(QStringLiteral("The device file this port name opens"));
    for (const SerialDeviceEntry& entry : devices) {
        const QString shown = entry.description.isEmpty() ? entry.path : entry.path + QStringLiteral("  (")
                                                                              + entry.description + QLatin1Char(')');
        field->addItem(shown, entry.path);
    }
    // A picked entry puts only its path into the field, not its description.
    connect(field, &QComboBox::activated, this,
            [field](int index) { field->setEditText(field->itemData(index).toString()); });
    form->addRow(QStringLiteral("Device File:"), field);
    return field;
}

void CPortSettingsDlg::showDeviceOfPort()
{
    m_mappedDevice = PortDeviceMap::devicePath(*SettingsStore::open(), m_port->currentText());
    m_device->setEditText(m_mappedDevice);
}

void CPortSettingsDlg::resetAll()
{
    const PortSettings factory;
    selectByPrefix(m_port, factory.portName);
    selectByPrefix(m_baudRate, PortSettingsText::textOfBaudRate(factory.baudRate));
    selectByPrefix(m_byteSize, PortSettingsText::textOfByteSize(factory.byteSize));
    selectByPrefix(m_parity, PortSettingsText::textOfParity(factory.parity));
    selectByPrefix(m_stopBits, PortSettingsText::textOfStopBits(factory.stopBits));
}

void CPortSettingsDlg::accept()
{
    using namespace PortSettingsText;
    m_settings.portName = m_port->currentText();
    m_settings.baudRate = baudRateFromText(m_baudRate->currentText());
    m_settings.byteSize = byteSizeFromText(m_byteSize->currentText());
    m_settings.parity = parityFromText(m_parity->currentText());
    m_settings.stopBits = stopBitsFromText(m_stopBits->currentText());
    const QString device = m_device->currentText().trimmed();
    if (device != m_mappedDevice)
        PortDeviceMap::setDevicePath(*SettingsStore::open(), m_settings.portName, device);
    QDialog::accept();
}
