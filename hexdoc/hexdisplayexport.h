#pragma once

class QWidget;
class TextSource;

/// Export Hex Display Text: asks for a file and writes a view's whole listing
/// text into it, one byte per character, line feeds as line breaks.
namespace HexDisplayExport {

void exportListing(QWidget* parent, const TextSource& listing);

}  // namespace HexDisplayExport
