#pragma once

struct MarkState;
class QWidget;

/// Before a window closes while a mark runs on its document: asks whether to
/// stop the mark, and Yes stops it. False when the user keeps the window open.
bool stopMarkingToClose(MarkState& state, QWidget* dialogParent);
