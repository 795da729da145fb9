#pragma once
// A top-level toolkit window: a native window with its modal loop and timers
// (native_window), the renderer that draws into it, the text-input context,
// and the widget tree below its root widget, with the focused and hovered
// widgets, the Tab order and the routing of input events into the tree
// (dispatch). Subclasses (the wizard, the message pop-up) call create, build
// their widgets under root, and are run with run_modal.
//
// The window is itself an event object: it receives key_down, key_up,
// focus_gained and focus_lost after the focused widget, shown when its modal
// loop starts, hidden when it is closed with a result, and the events its
// subclasses fire on it.

#include "hbsdk/ui/accessible_description.h"
#include "hbsdk/ui/event_object.h"
#include "hbsdk/ui/event_type.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/object_watch.h"
#include "hbsdk/ui/renderer.h"
#include "hbsdk/ui/text_input_context.h"
#include "hbsdk/ui/tooltip_entry.h"
#include "hbsdk/ui/widget.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hbsdk::ui {

class window : public event_object {
public:
  window();
  ~window() override;

  // Makes the native window (hidden) with the title, its outer position
  // (placement.x, placement.y) in screen pixels and its client size
  // (placement.width, placement.height) in dips, owned by parent's window
  // when parent is set; then creates the root widget with the client size
  // and focuses it, and makes the renderer and the text-input context.
  // Throws std::logic_error when the window is already created.
  void create(std::string_view title, const rect& placement);
  bool is_created() const noexcept { return renderer_ != nullptr; }

  // result := 0, shown on the window, the modal loop until the window is
  // closed; returns result (0 when it was closed by the close box).
  std::int32_t run_modal();
  // result := value, hidden on the window, then the modal loop ends.
  void close(std::int32_t value);
  std::int32_t result() const noexcept { return result_; }

  // Paints w and its visible subtree where it meets the update rectangle
  // (client units, edges included): w first, then the shadows of its
  // shadowed children, then the children in order, each in its own scope.
  void paint_tree(widget& w, const edge_rect& update);
  // One tooltip tick (0.1 s of hovering).
  void tooltip_tick();
  // Adds a tooltip area to a widget of this window.
  void add_tooltip(const widget& owner, tooltip_entry entry);

  native_window& native() noexcept { return *native_; }
  const native_window& native() const noexcept { return *native_; }
  // The renderer exists from create on.
  ui::renderer& renderer() { return *renderer_; }
  text_input_context& text_input() { return *text_input_; }
  // Whether a leave notification was asked for since the pointer entered.
  bool mouse_tracking = false;

  // Creates the root widget alone, for a tree used without a native window.
  void create_tree(const rect& client);

  // The deepest visible widget under a point in client dips, or none when
  // the root is hidden or the point lies outside it. Enabled states play no
  // part: a disabled widget still takes the hit.
  widget* hit_test(point client) const;

  // Moves the focus: focus_lost on the old widget (whatever its state), then
  // focus_gained on the new one when it is set and enabled (see
  // window_input.cpp for callbacks that move the focus themselves). Throws
  // std::invalid_argument for a widget of another window (input routing
  // never passes one).
  void set_focus(widget* target, focus_reason reason);
  // Tab: the next tab stop in creation order that is enabled, visible and
  // still in the tree.
  void focus_next();
  // Shift+Tab: the previous such tab stop; from a widget that is no tab stop
  // the nearest earlier tab stop is passed over first.
  void focus_previous();

  // Routes one input event into the tree (see window.cpp for the table).
  // The pointer position is read at the moment of the call. Always true.
  bool dispatch(event_type code, std::uint64_t value);
  // A second press of a double click: mouse_double_click when the enabled
  // widget under the pointer has a list for it, mouse_down otherwise.
  bool dispatch_double_click(std::uint64_t button);

  // A key going down, as the native window delivers it: marks the keyboard
  // as used (see keyboard_cues) and dispatches key_down; repeated tells
  // whether it is the platform's auto-repeat of a key held down.
  void dispatch_key_down(std::uint64_t key, bool repeated);
  // True while a key_down that only repeats a held key is being dispatched;
  // controls that act once per press ignore those.
  bool key_repeat() const noexcept { return key_repeat_; }
  // Whether a key has gone down in this window. Focus cues that follow the
  // desktop rule stay hidden until then; the whole window is repainted when
  // this turns on.
  bool keyboard_cues() const noexcept { return keyboard_cues_; }
  void show_keyboard_cues();

  // Screen readers (window_accessibility.cpp). The window itself is a
  // dialog named by its title, the size of its client area.
  accessible_description describe() const;
  const std::string& title() const noexcept { return title_; }
  // The widgets a screen reader finds: those below the root that are shown
  // and describe themselves (role other than none), in tree order, a
  // parent before its children.
  std::vector<widget*> accessible_children() const;
  // A child's number, 1 or more: given (with those of the other listed
  // children, in tree order) when a number is first asked for while the
  // widget is listed, and kept for its life in this window (never given
  // to another widget), so a reader that handles a notification late still
  // reads the widget it was about. 0 for a widget that is not listed now
  // (0 also stands for the window).
  std::int32_t accessible_id(const widget& target) const;
  // The listed child with this number, or none.
  widget* accessible_child(std::int32_t id) const;
  // Passes a change of a described, shown widget on to the backend with the
  // widget's number; a focus change to a widget that is not described is
  // reported for the window itself. Other changes of such widgets are not
  // reported.
  void accessible_changed(const widget& source, accessible_change change);
  // Reports that the set of children changed (a widget was shown or hidden).
  void accessible_structure_changed();
  // A screen reader asks for a child's default action. It is refused (false)
  // when there is no such child or it cannot act now (disabled, no action).
  // Otherwise it is queued and runs from the message loop (run_default_actions):
  // the reader's call returns at once, even when the action opens a pop-up.
  bool request_default_action(std::int32_t id);
  // Runs the queued default actions of widgets that still exist.
  void run_default_actions();

  widget* focused() const noexcept { return focused_; }
  widget* hovered() const noexcept { return hovered_; }
  // Every widget created in this window, in creation order, the root first.
  const std::vector<widget*>& focus_order() const noexcept { return focus_order_; }

private:
  // Declared first, destroyed last: the native window outlives the renderer
  // and the text-input context, which outlive the tree.
  std::unique_ptr<native_window> native_;
  std::unique_ptr<ui::renderer> renderer_;
  std::unique_ptr<text_input_context> text_input_;

public:
  // The window that owns this one; set before create (pop-ups set it to the
  // window that opens them).
  window* parent = nullptr;
  widget root;

private:
  friend class widget;

  // Holds a widget of this window across callbacks that may destroy it: the
  // pointer turns null when the widget goes away.
  class tracked_widget {
  public:
    tracked_widget(window& owner, widget* target);
    ~tracked_widget();
    tracked_widget(const tracked_widget&) = delete;
    tracked_widget& operator=(const tracked_widget&) = delete;
    widget* get() const noexcept { return target_; }

  private:
    window& owner_;
    widget* target_;
  };

  // Called by a widget's destructor so no pointer to it survives.
  void forget_widget(widget& gone) noexcept;
  std::size_t order_position(const widget* target) const noexcept;
  bool accepts_tab(const widget* candidate) const;
  bool in_tree(const widget* candidate) const noexcept;
  std::size_t tab_start();
  void tab_to(std::size_t from, std::size_t start, bool forward);
  void route_mouse_move();
  void show_tooltip(const tooltip_entry& entry);
  void hide_tooltip();
  bool fire_on_enabled(widget* target, event_type code, std::uint64_t value);

  widget* focused_ = nullptr;
  widget* hovered_ = nullptr;
  // set_focus bookkeeping: the widget whose focus_lost is being fired, and a
  // count of focus changes, so a re-entered call can tell the outer one.
  widget* losing_focus_ = nullptr;
  std::uint64_t focus_changes_ = 0;
  std::vector<widget*> focus_order_;
  // Every widget whose window is this one, created or not, in the tree or
  // taken out of it; the destructor lets go of all of them.
  std::vector<widget*> members_;
  std::vector<widget**> tracked_;
  // Tooltip bookkeeping; nothing creates a tooltip window or fills the table
  // yet, so the tick only follows the hovered widget.
  std::unique_ptr<window> tooltip_window_;
  std::unordered_map<const widget*, std::vector<tooltip_entry>> tooltips_;
  float hover_time_ = 0.0f;
  const widget* tooltip_widget_ = nullptr;
  rect tooltip_area_;
  std::string title_;
  // The children's numbers (accessible_id), and the next one to give.
  mutable std::unordered_map<const widget*, std::int32_t> accessible_ids_;
  mutable std::int32_t next_accessible_id_ = 1;
  // Widgets whose default action a screen reader asked for; a watch turns
  // empty when its widget is destroyed before the action runs.
  std::deque<std::unique_ptr<object_watch>> pending_actions_;
  std::int32_t result_ = 0;
  point paint_origin_;
  bool key_repeat_ = false;
  bool keyboard_cues_ = false;
};

}  // namespace hbsdk::ui
