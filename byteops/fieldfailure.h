#pragma once

class QLineEdit;
class QString;

/// Tells the user why a field was refused, then puts the keyboard focus into
/// the field with its whole text selected and in view; the dialog stays open.
void reportFieldFailure(QLineEdit* field, const QString& message);
