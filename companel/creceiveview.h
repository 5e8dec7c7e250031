#pragma once

#include "companel/companelpane.h"

/// The Receive Pane: the listing of the receive buffer under the Data
/// Receiving Pane header, growing as bytes arrive.
class CReceiveView : public ComPanelPane {
    Q_OBJECT

public:
    explicit CReceiveView(CSendReceiveDoc* document, QWidget* parent = nullptr);
};
