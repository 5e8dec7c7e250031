#pragma once

class QString;
class QWidget;

/// A note in the message pane of the status bar of the main window that holds
/// a widget, sent up the widget's parents as the pointer's status tips are.
/// The main window keeps it until the next command; an empty text brings the
/// idle text back at once.
namespace StatusMessage {

void show(QWidget* from, const QString& text);

}  // namespace StatusMessage
