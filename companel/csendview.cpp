#include "companel/csendview.h"

#include "hexdoc/listingprefixes.h"

CSendView::CSendView(CSendReceiveDoc* document, QWidget* parent)
    : ComPanelPane(document, ComPane::Send, ListingPrefix::sendPane(), parent)
{
    setAccessibleName(QStringLiteral("Send Pane"));
    connect(document, &CSendReceiveDoc::displayTypeChanged, this, &CSendView::showDisplayType);
    connect(this, &ListingControl::textChanged, this, [this] {
        if (showsText())
            GetDocument()->setSendText(text());
    });
}

void CSendView::onUpdate()
{
    if (!showsText()) {
        HexView::onUpdate();
        return;
    }
    ClearAllMarks();
    setText(GetDocument()->sendText());
    setReadOnly(false);
}

void CSendView::showDisplayType()
{
    onUpdate();
    if (!showsText())
        setSelection(layout().initialCaret(), layout().initialCaret());
}

bool CSendView::byteCommandsAllowed() const
{
    return ComPanelPane::byteCommandsAllowed() && !showsText();
}

void CSendView::keyPressEvent(QKeyEvent* event)
{
    // Typed text is text: the hex typing of the listing does not apply.
    if (showsText())
        ListingControl::keyPressEvent(event);
    else
        ComPanelPane::keyPressEvent(event);
}
