#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <utility>
#include <vector>

#include "support/dialogdriver.h"
#include "support/scriptedprompter.h"

/// One step of a walk through a parameter dialog: field texts replaced (as a
/// paste would, unfiltered), then OK,
/// which either refuses with a message and focuses a field with its text
/// selected, or (refusal empty) accepts the dialog.
struct DialogStep {
    std::vector<std::pair<int, QString>> texts;  // field id, its new text
    QString refusal = {};
    int focused = -1;  // field id
};

/// Runs the steps on a shown dialog, failing the test at the first step that goes otherwise.
inline void walkDialog(QDialog& dialog, ScriptedPrompter& prompter, const std::vector<DialogStep>& steps)
{
    for (const DialogStep& step : steps) {
        for (const auto& [id, text] : step.texts)
            DialogDriver::fieldOf(dialog, id)->setText(text);
        prompter.clear();
        DialogDriver::clickOk(dialog);
        if (step.refusal.isEmpty()) {
            QCOMPARE(prompter.messages(), QStringList());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            continue;
        }
        QLineEdit* field = DialogDriver::fieldOf(dialog, step.focused);
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompter.messages(), QStringList{step.refusal});
        QCOMPARE(dialog.focusWidget(), field);
        QCOMPARE(field->selectedText(), field->text());
    }
}
