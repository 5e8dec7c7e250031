#include "byteops/editstep.h"

#include <algorithm>
#include <new>

#include "bytemodel/bytemodel.h"

namespace {

/// Why the model refused to grow by count bytes.
EditStep::Outcome growthRefusal(const ByteModel& model, qint64 count)
{
    return model.size() + count > ByteModel::kMaxSize ? EditStep::Outcome::TooLarge : EditStep::Outcome::NoMemory;
}

EditStep::Outcome insertInto(ByteModel& model, ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    return model.insert(offset, bytes) ? EditStep::Outcome::Done : growthRefusal(model, qint64(bytes.size()));
}

}  // namespace

EditStep::EditStep(Kind kind, ByteOffset offset, qint64 count)
    : m_kind(kind)
    , m_offset(offset)
    , m_count(std::max<qint64>(count, 0))
{
}

EditStep EditStep::removal(ByteOffset offset, qint64 count)
{
    return EditStep(Kind::Removal, offset, count);
}

EditStep EditStep::insertion(ByteOffset offset, ByteBuffer bytes)
{
    EditStep step(Kind::Insertion, offset, qint64(bytes.size()));
    step.m_bytes = std::move(bytes);
    return step;
}

EditStep EditStep::fill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    EditStep step(Kind::Fill, offset, count);
    step.m_fillValue = value;
    return step;
}

EditStep EditStep::overwrite(ByteOffset offset, ByteBuffer bytes)
{
    EditStep step(Kind::Overwrite, offset, qint64(bytes.size()));
    step.m_bytes = std::move(bytes);
    return step;
}

EditStep EditStep::transform(ByteOffset offset, qint64 count, ByteTransform transform)
{
    EditStep step(Kind::Transform, offset, count);
    step.m_transform = transform;
    return step;
}

EditStep::Outcome EditStep::apply(ByteModel& model, qint64 undoLimit)
{
    switch (m_kind) {
    case Kind::Insertion:
    case Kind::Fill: {
        m_offset = std::clamp<ByteOffset>(m_offset, 0, model.size());
        const Outcome outcome = redo(model);
        // Redo needs the inserted bytes; a run too large to keep makes the step final.
        if (outcome == Outcome::Done && qint64(m_bytes.capacity()) > undoLimit) {
            m_canUndo = false;
            ByteBuffer().swap(m_bytes);
        }
        return outcome;
    }
    case Kind::Removal:
    case Kind::Overwrite:
    case Kind::Transform:
        break;
    }
    m_count = std::clamp<qint64>(model.size() - m_offset, 0, m_count);
    if (m_kind == Kind::Overwrite) {
        m_bytes.resize(std::size_t(m_count));
        keepOldBytes(model, undoLimit);
    } else if (m_kind == Kind::Removal || !m_transform.isSelfInverse()) {
        keepModelBytes(model, undoLimit);
    }
    return redo(model);
}

bool EditStep::fitsUndo(const ByteModel& model, qint64 undoLimit) const
{
    switch (m_kind) {
    case Kind::Insertion:
        return qint64(m_bytes.capacity()) <= undoLimit;
    case Kind::Fill:
        return true;
    case Kind::Overwrite:
        return std::min(m_count, model.size() - m_offset) <= undoLimit;
    case Kind::Transform:
        if (m_transform.isSelfInverse())
            return true;
        break;
    case Kind::Removal:
        break;
    }
    return model.keepCost(m_offset, m_count) <= undoLimit;
}

void EditStep::keepOldBytes(const ByteModel& model, qint64 undoLimit)
{
    if (m_count > undoLimit) {
        m_canUndo = false;
        return;
    }
    try {
        m_oldBytes = model.copy(m_offset, m_count);
    } catch (const std::bad_alloc&) {
        m_canUndo = false;
    }
}

void EditStep::keepModelBytes(const ByteModel& model, qint64 undoLimit)
{
    // Measured first: bytes held only in memory are not copied just to be dropped.
    if (model.keepCost(m_offset, m_count) <= undoLimit)
        m_kept = model.keep(m_offset, m_count);
    m_canUndo = m_kept != nullptr;
}

EditStep::Outcome EditStep::undo(ByteModel& model) const
{
    switch (m_kind) {
    case Kind::Removal:
        if (!m_kept->isIntact())
            return Outcome::Lost;
        return model.insertKept(m_offset, *m_kept) ? Outcome::Done : growthRefusal(model, m_count);
    case Kind::Insertion:
    case Kind::Fill:
        model.remove(m_offset, m_count);
        break;
    case Kind::Overwrite:
        model.setBytes(m_offset, m_oldBytes);
        break;
    case Kind::Transform:
        if (m_transform.isSelfInverse())
            return redo(model);
        if (!m_kept->isIntact())
            return Outcome::Lost;
        return model.overwriteKept(m_offset, *m_kept) ? Outcome::Done : Outcome::NoMemory;
    }
    return Outcome::Done;
}

EditStep::Outcome EditStep::redo(ByteModel& model) const
{
    switch (m_kind) {
    case Kind::Removal:
        model.remove(m_offset, m_count);
        break;
    case Kind::Insertion:
        return insertInto(model, m_offset, m_bytes);
    case Kind::Fill:
        return model.insertFill(m_offset, m_count, m_fillValue) ? Outcome::Done : growthRefusal(model, m_count);
    case Kind::Overwrite:
        model.setBytes(m_offset, m_bytes);
        break;
    case Kind::Transform:
        // Reversal moves bytes across the whole block; every other transform changes each byte on its own.
        if (m_transform.kind() == ByteTransform::Kind::Reverse)
            model.reverse(m_offset, m_count);
        else
            model.modify(m_offset, m_count,
                         [transform = m_transform](std::span<std::uint8_t> block) { transform.apply(block); });
        break;
    }
    return Outcome::Done;
}

qint64 EditStep::cost() const
{
    return qint64(sizeof(EditStep) + m_bytes.capacity() + m_oldBytes.capacity())
           + (m_kept ? m_kept->memoryCost() : 0);
}

EditRange EditStep::selectionAfterUndo() const
{
    const bool removedBytes = m_kind == Kind::Insertion || m_kind == Kind::Fill;
    return {m_offset, removedBytes ? 0 : m_count};
}

EditRange EditStep::selectionAfterRedo() const
{
    return {m_offset, m_kind == Kind::Removal ? 0 : m_count};
}
