#include "byteops/editmessages.h"

#include "byteops/clipboardtext.h"

namespace EditMessages {

namespace {

struct ActionText {
    const char* tooLarge;
    const char* noMemory;
};

constexpr ActionText kTexts[] = {
    {"Cannot insert %1 bytes: the file would reach 4 GB.", "Cannot insert %1 bytes: there is not enough memory."},
    {"Cannot paste %1 bytes: the file would reach 4 GB.", "Cannot paste %1 bytes: there is not enough memory."},
    {"Cannot undo: putting back %1 bytes would make the file reach 4 GB.",
     "Cannot undo: there is not enough memory to put back %1 bytes."},
    {"Cannot redo: inserting %1 bytes would make the file reach 4 GB.",
     "Cannot redo: there is not enough memory to insert %1 bytes."},
    {"", "Cannot copy %1 bytes: there is not enough memory."},  // a copy adds nothing to the file
    {"", "Cannot cut %1 bytes: there is not enough memory."},
};

}  // namespace

QString refusal(Action action, qint64 count, EditStep::Outcome outcome)
{
    const ActionText& text = kTexts[std::size_t(action)];
    switch (outcome) {
    case EditStep::Outcome::TooLarge:
        return QString::fromLatin1(text.tooLarge).arg(count);
    case EditStep::Outcome::NoMemory:
        return QString::fromLatin1(text.noMemory).arg(count);
    case EditStep::Outcome::Lost:
        return QStringLiteral("Cannot undo: the %1 bytes to put back were in the file, which a save has written over.")
            .arg(count);
    case EditStep::Outcome::Done:
    case EditStep::Outcome::Cancelled:
        break;
    }
    return {};
}

QString cannotUndoQuestion(qint64 count, qint64 undoLimit)
{
    return QStringLiteral("This change of %1 bytes cannot be undone: keeping it for Undo would take more than "
                          "%2 MiB of memory, and the changes before it could no longer be undone either.\n"
                          "Do you want to make it?")
        .arg(count)
        .arg(undoLimit >> 20);
}

QString notFound()
{
    return QStringLiteral("Not found");
}

QString copiedWithoutText()
{
    return QStringLiteral("Copied as bytes only: more than %1 MiB is not put on the clipboard as text")
        .arg(ClipboardText::kMaxBytes >> 20);
}

}  // namespace EditMessages
