#pragma once

#include <QString>

/// Control ids of the Mark dialogs' controls that are not checked fields
/// (those are in byteops/fieldids.h): colour lists, the clear box and the
/// pattern type buttons. Each names its control's object.
namespace MarkControlId {
constexpr int ClearPrevious = 1039;
constexpr int PatternType1 = 1019;
constexpr int PatternType2 = 1020;
constexpr int PatternType3 = 1022;
constexpr int PatternHeaderColor = 1026;
constexpr int PatternSecondColor = 1027;
constexpr int PatternThirdColor = 1028;
constexpr int ByteFollowingLabel = 1061;
constexpr int BytesUnitLabel = 1073;
constexpr int Value1Color = 1031;
constexpr int Value2Color = 1032;
constexpr int Value3Color = 1034;
constexpr int Value4Color = 1036;
constexpr int Block1Color = 1042;
constexpr int Block2Color = 1043;
constexpr int Block3Color = 1046;
constexpr int UnitColor1 = 1071;
constexpr int UnitColor2 = 1072;

/// The object name of a control with this id.
inline QString objectName(int id)
{
    return QStringLiteral("control%1").arg(id);
}
}  // namespace MarkControlId
