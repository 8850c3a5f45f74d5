// The one table of every command the frame offers: id, name, label or tooltip, shortcut, where it
// is routed and what it needs to be enabled. Plain data and rules, no widgets, so the enable rules
// can be checked without a window.
#pragma once

#include <span>

namespace corvane {

/// Where a command goes: one of the frame's handlers, or the active document window.
enum class Route
{
    Frame,
    ActiveView
};

/// What must hold before a command may be enabled (the route's own answer comes on top).
enum class Need
{
    Nothing,
    Project,             ///< a project is open
    ActiveWindow,        ///< any document window is active (undo, redo)
    TextView,            ///< a project is open and a text view is active
    MarkableSelection,   ///< as TextView, and its selection may be marked
    CurrentObject,       ///< as TextView, and the project has a current object
    ActiveTextModified,  ///< the active text view's document has unsaved changes
    AnyDocumentModified, ///< at least one open document has unsaved changes
    ChartView,           ///< a project is open and the chart view is active
};

enum class CommandKind
{
    Button,  ///< a plain command
    Check,   ///< a command shown with a check mark while its state is on
    SubMenu, ///< only opens its sub-menu
    Edit,    ///< the ribbon's search phrase box
};

struct CommandInfo
{
    int id;
    const char* name;     ///< ID_ name
    const char* label;    ///< UTF-8: the label, or the tooltip where the ribbon shows none
    const char* shortcut; ///< QKeySequence portable text, "" for none
    Route route;
    Need need;
    CommandKind kind;
};

/// Every command, in the order of the ribbon and the menus.
std::span<const CommandInfo> commandTable();
/// nullptr for an unknown id.
const CommandInfo* findCommand(int id);

/// The state of the frame that the enable rules look at.
struct CommandContext
{
    bool projectOpen = false;
    enum class Active
    {
        None,
        Text,
        Chart
    } active = Active::None;
    bool selectionMarkable = false;
    bool hasCurrentObject = false;
    bool activeTextModified = false;
    bool anyDocumentModified = false;
};

/// Whether the command's own need is met. A frame command also needs a handler, a routed command
/// the active window's agreement; the caller adds those.
bool needMet(Need need, const CommandContext& context);

} // namespace corvane
