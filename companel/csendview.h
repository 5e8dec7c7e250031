#pragma once

#include "companel/companelpane.h"

/// The Send Pane: in the Hex display type the listing of the send buffer
/// under the Data Sending Pane header, edited as every hex view; in the Text
/// display type an editable plain text whose characters are what Start Send
/// sends. Each type keeps its own contents when the other is shown.
class CSendView : public ComPanelPane {
    Q_OBJECT

public:
    explicit CSendView(CSendReceiveDoc* document, QWidget* parent = nullptr);

    void onUpdate() override;

protected:
    bool byteCommandsAllowed() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool showsText() const { return GetDocument()->displayType() == SendDisplayType::Text; }
    void showDisplayType();
};
