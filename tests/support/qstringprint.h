#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for texts compared in core tests.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
