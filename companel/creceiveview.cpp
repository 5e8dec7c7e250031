#include "companel/creceiveview.h"

#include "hexdoc/listingprefixes.h"

CReceiveView::CReceiveView(CSendReceiveDoc* document, QWidget* parent)
    : ComPanelPane(document, ComPane::Receive, ListingPrefix::receivePane(), parent)
{
    setAccessibleName(QStringLiteral("Receive Pane"));
}
