// Changes of a project kept in its history (one QUndoStack per project): each holds the
// part of the project it changed as it was before and after, and how to put a side of it
// back into the window. Room lists, choices and quote details are small; a recomputed
// sheet is kept whole, as it replaced one that was.
#pragma once

#include <QUndoCommand>
#include <functional>
#include <utility>

namespace rq {

// Ids of the changes that merge when they follow one another: typing in one box of the
// quick estimate is one change, not one per key.
enum class MergeAs { Never = -1, Bedrooms = 1, LivingRooms, Kitchens, Bathrooms, Balconies, Area, Grade, Floor };

template <class Value>
class ProjectChange : public QUndoCommand {
public:
    using Put = std::function<void(const Value&)>;

    // The change is already made in the window when it is kept: its first redo does nothing.
    ProjectChange(const QString& name, Value before, Value after, Put put, MergeAs mergeAs = MergeAs::Never)
        : QUndoCommand(name)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_put(std::move(put))
        , m_mergeAs(mergeAs)
    {
    }

    void undo() override { m_put(m_before); }
    void redo() override
    {
        if (!std::exchange(m_made, false))
            m_put(m_after);
    }
    int id() const override { return static_cast<int>(m_mergeAs); }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = dynamic_cast<const ProjectChange*>(other);
        if (next == nullptr)
            return false;
        m_after = next->m_after;
        // Typed and typed away again: nothing is left to take back.
        setObsolete(m_after == m_before);
        return true;
    }

private:
    Value m_before;
    Value m_after;
    Put m_put;
    MergeAs m_mergeAs;
    bool m_made = true;
};

} // namespace rq
