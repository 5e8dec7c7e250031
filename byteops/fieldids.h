#pragma once

/// Control ids of the parameter dialogs' input fields. The checks name the
/// field they refuse by id, and each dialog maps ids to its widgets.
namespace FieldId {
constexpr int StartAddress = 1000;
constexpr int EndAddress = 1001;
constexpr int MaskValue = 1009;
constexpr int ShiftCount = 1016;
constexpr int InsertCount = 1018;
constexpr int InsertValue = 1019;
constexpr int PatternHeader = 1023;
constexpr int PatternCount = 1024;
constexpr int PatternTail = 1025;
constexpr int MarkValue1 = 1029;
constexpr int MarkValue2 = 1030;
constexpr int MarkValue3 = 1033;
constexpr int MarkValue4 = 1035;
constexpr int Block1Start = 1040;
constexpr int Block1End = 1041;
constexpr int Block2Start = 1044;
constexpr int Block2End = 1045;
constexpr int Block3Start = 1047;
constexpr int Block3End = 1048;
constexpr int OldValue = 1047;
constexpr int NewValue = 1048;
constexpr int GoToAddress = 1051;
constexpr int FindWhat = 1061;
constexpr int UnitSize = 1070;
}  // namespace FieldId
