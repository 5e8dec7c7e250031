#pragma once

#include <QString>

#include "bytemodel/bytebuffer.h"

class QWidget;

/// Import Hex Values Text: the file dialog and the reading of a text file of
/// hexadecimal digit pairs into bytes, with their messages.
namespace HexValuesImport {

/// Asks for the text file; an empty string when the user cancelled.
QString askForFile(QWidget* parent);
/// Reads the digit pairs of the file into out; shows the message and returns false on failure.
bool importFile(QWidget* parent, const QString& path, ByteBuffer& out);

}  // namespace HexValuesImport
