// The chart's own undo and redo of node geometry and styles. A step holds only the nodes an
// operation changes, by object ID: restoring whole records by table index would bring back a
// deleted marker without its links, or undo a text edit's marker shift, a retitle or a colour
// changed since. A step is allocated when pushed and sized to what it holds.
#pragma once

#include "model/ProjectData.h"

#include <array>
#include <cstddef>
#include <deque>
#include <vector>

namespace corvane::chart {

/// The bytes of a record's node style: font name to line style.
inline constexpr std::size_t kNodeStyleOffset = offsetof(ObjectRecord, fontName);
inline constexpr std::size_t kNodeStyleBytes = sizeof(ObjectRecord) - kNodeStyleOffset;

class LayoutHistory
{
public:
    /// Steps kept each way. When the undo stack reaches it the oldest step is dropped, so after
    /// it has filled once at most 99 steps can be undone.
    static constexpr int kMaxSteps = 100;

    /// Records the nodes with these IDs as they are now (IDs that no object has are skipped) and
    /// clears the redo stack. withMarkerColours also keeps the markers' colours (the style copy
    /// that sets marker colours with it). False, with nothing changed, when memory runs out.
    bool push(const ProjectData& project, const std::vector<ObjectId>& ids,
              bool withMarkerColours = false);

    /// Restores the newest undo step by object ID, keeping the present state of the same nodes
    /// for redo. IDs deleted since are skipped. False when there is nothing to undo or memory
    /// runs out. changedMarkerColours receives the indexes of markers whose colour was restored.
    bool undo(ProjectData& project, std::vector<int>* changedMarkerColours = nullptr);
    bool redo(ProjectData& project, std::vector<int>* changedMarkerColours = nullptr);

    /// Both depths 0: after placement, deletion and the stacking-order commands.
    void reset();

    int undoDepth() const { return static_cast<int>(undo_.size()); }
    int redoDepth() const { return static_cast<int>(redo_.size()); }
    /// Bytes held by all steps, for the benchmark's figure.
    std::size_t bytesHeld() const;

private:
    struct NodeState
    {
        ObjectId id;
        std::int32_t rect[4];
        std::array<unsigned char, kNodeStyleBytes> style;
        std::uint32_t markerColour;
    };
    struct Step
    {
        bool withMarkerColours = false;
        std::vector<NodeState> nodes;
    };

    static bool capture(const ProjectData& project, const std::vector<ObjectId>& ids,
                        bool withMarkerColours, Step& step);
    static void restore(ProjectData& project, const Step& step, std::vector<int>* changedColours);
    static std::vector<ObjectId> idsOf(const Step& step);
    bool move(ProjectData& project, std::deque<Step>& from, std::deque<Step>& to,
              std::vector<int>* changedColours);

    std::deque<Step> undo_;
    std::deque<Step> redo_;
};

} // namespace corvane::chart
