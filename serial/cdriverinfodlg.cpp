#include "serial/cdriverinfodlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "prompt/dialogbuttons.h"
#include "serial/driverinfolines.h"

namespace {

/// The lines' control ids, top to bottom.
constexpr int kLineIds[] = {1082, 1083, 1092, 1093, 1084, 1085, 1086, 1087, 1088, 1090, 1091, 1089, 1094};

QLabel* lineLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

CDriverInfoDlg::CDriverInfoDlg(const QString& portName, const DriverInfoLines& lines, const QString& deviceLine,
                               QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Communications Driver Information") + QStringLiteral(" for ") + portName);
    setObjectName(QStringLiteral("driverInfoDialog"));
    auto* layout = new QVBoxLayout(this);
    const QStringList texts = lines.inDialogOrder();
    for (int i = 0; i < texts.size(); ++i)
        layout->addWidget(lineLabel(texts.at(i), QStringLiteral("line%1").arg(kLineIds[i]), this));
    layout->addSpacing(layout->spacing() * 2);
    layout->addWidget(lineLabel(deviceLine, QStringLiteral("deviceLine"), this));
    layout->addWidget(makeDialogButtons(this, QDialogButtonBox::Ok));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
