#include "hexdoc/listingprefixes.h"

#include "hexdoc/hexlayout.h"

namespace ListingPrefix {

QByteArray plainView()
{
    return QByteArray(HexGeometry::kHeaderText);
}

QByteArray sendPane()
{
    return QByteArray("------------------------- Data Sending Pane --------------------------------\n\n")
           + HexGeometry::kHeaderText;
}

QByteArray receivePane()
{
    return QByteArray("------------------------- Data Receiving Pane ------------------------------\n\n")
           + HexGeometry::kHeaderText;
}

QByteArray comparePane()
{
    return QByteArray("\n") + HexGeometry::kHeaderText + QByteArray(HexGeometry::kLineWidth, ' ');
}

}  // namespace ListingPrefix
