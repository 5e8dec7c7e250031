#pragma once

#include <QString>

#include "marking/addressblock.h"

/// What a view remembers of its last accepted Mark Units dialog, and what the
/// scan colours: the block in units of unitSize bytes, counted from the
/// block's first byte, alternately in the two colours.
struct MarkUnitsSettings {
    bool clearBlock = true;
    qint32 unitSize = 2;
    QString color1 = QStringLiteral("Black");
    QString color2 = QStringLiteral("Black");
    AddressBlock block;
};
