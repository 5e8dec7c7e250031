#include "marking/markclosequestion.h"

#include <QString>

#include "marking/markstate.h"
#include "prompt/prompter.h"

bool stopMarkingToClose(MarkState& state, QWidget* dialogParent)
{
    if (state.marking != 1)
        return true;
    if (!Prompter::stopQuestion(dialogParent, QStringLiteral("You are still in the marking process, do you want to "
                                                             "stop marking and close the window?")))
        return false;
    // The worker reads the flag before every piece it scans and every batch it colours, so it ends at once.
    state.stop();
    return true;
}
