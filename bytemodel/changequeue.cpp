#include "bytemodel/changequeue.h"

bool ChangeQueue::push(const ByteChange& change)
{
    const bool wasEmpty = m_changes.empty();
    ByteChange* last = wasEmpty ? nullptr : &m_changes.back();
    if (last && last->kind == ByteChange::Kind::Appended && change.kind == ByteChange::Kind::Appended &&
        last->offset + last->count == change.offset)
        last->count += change.count;
    else
        m_changes.push_back(change);
    return wasEmpty;
}

std::optional<ByteChange> ChangeQueue::takeFirst()
{
    if (m_changes.empty())
        return std::nullopt;
    const ByteChange first = m_changes.front();
    m_changes.pop_front();
    return first;
}
