#pragma once

#include <QByteArray>

/// The text in front of data line 0 of each kind of hex view. Plain view: 77
/// characters; the panes of the Com Panel and of the comparison window: 155.
namespace ListingPrefix {
QByteArray plainView();
QByteArray sendPane();
QByteArray receivePane();
/// An empty line, the header, then a line of 77 spaces.
QByteArray comparePane();
}  // namespace ListingPrefix
