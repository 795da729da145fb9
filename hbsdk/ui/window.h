#pragma once
// A top-level toolkit window. This part holds the widget tree: the root
// widget, the focused and hovered widgets, the Tab order, and the routing of
// input events into the tree (dispatch). The native side (message loop,
// renderer, timers) is attached by the platform layer and calls create_tree
// once its client area exists, then dispatch for every input message.
//
// The window is itself an event object: it receives key_down, key_up,
// focus_gained and focus_lost after the focused widget, and the events its
// subclasses fire on it.

#include "hbsdk/ui/event_object.h"
#include "hbsdk/ui/event_type.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/widget.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hbsdk::ui {

class window : public event_object {
public:
  window();
  ~window() override;

  // Creates the root widget with the client size (in dips) and focuses it.
  void create_tree(const rect& client);

  // The deepest visible widget under a point in client dips, or none when
  // the root is hidden or the point lies outside it. Enabled states play no
  // part: a disabled widget still takes the hit.
  widget* hit_test(point client) const;

  // Moves the focus: focus_lost on the old widget (whatever its state), then
  // focus_gained on the new one when it is set and enabled. Throws
  // std::invalid_argument for a widget of another window (input routing
  // never passes one).
  void set_focus(widget* target, focus_reason reason);
  // Tab: the next tab stop in creation order that is enabled and visible.
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

  widget* focused() const noexcept { return focused_; }
  widget* hovered() const noexcept { return hovered_; }
  // Every widget created in this window, in creation order, the root first.
  const std::vector<widget*>& focus_order() const noexcept { return focus_order_; }

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
  std::size_t tab_start();
  void tab_to(std::size_t from, std::size_t start, bool forward);
  void route_mouse_move();
  bool fire_on_enabled(widget* target, event_type code, std::uint64_t value);

  widget* focused_ = nullptr;
  widget* hovered_ = nullptr;
  std::vector<widget*> focus_order_;
  std::vector<widget**> tracked_;
};

}  // namespace hbsdk::ui
