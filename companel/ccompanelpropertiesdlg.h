#pragma once

#include <QDialog>

#include "companel/csendreceivedoc.h"

class QLabel;
class QRadioButton;

/// Com Panel Properties: the Send Pane's display type and the Receive Pane's
/// start mode, each a group of two radio buttons, with the explanation of the
/// chosen start mode (one text at a time, in the same place).
class CComPanelPropertiesDlg : public QDialog {
    Q_OBJECT

public:
    CComPanelPropertiesDlg(SendDisplayType displayType, ReceiveStartMode startMode, QWidget* parent = nullptr);

    SendDisplayType displayType() const;
    ReceiveStartMode startMode() const;

private:
    void showExplanation();

    QRadioButton* m_hex;
    QRadioButton* m_text;
    QRadioButton* m_replace;
    QRadioButton* m_append;
    QLabel* m_replaceExplanation;
    QLabel* m_appendExplanation;
};
