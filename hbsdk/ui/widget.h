#pragma once
// A node of a window's widget tree: a rectangle in dips relative to its
// parent, its own and inherited visible and enabled flags, its place in the
// tree and its style block. Widgets react to input through callbacks
// connected in the event registry, not by overriding virtual functions.
//
// The tree, the window's focus and hover, and the mouse capture hold plain
// pointers; a widget's destructor removes it from all of them.

#include "hbsdk/ui/accessible_description.h"
#include "hbsdk/ui/event_object.h"
#include "hbsdk/ui/geometry.h"
#include "hbsdk/ui/style_block.h"
#include "hbsdk/ui/widget_layout.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace hbsdk::ui {

class window;

class widget : public event_object {
public:
  widget();
  ~widget() override;

  // Places the widget into the parent's window under the parent: it becomes
  // visible and enabled (firing shown), is appended to the parent's children
  // (child_added on the parent) and to the window's Tab order, then created is
  // fired. A parent that is not in a window yet takes the widget along when
  // it joins one. Throws std::logic_error when the widget is already created and
  // std::invalid_argument when the parent is the widget or one of its children.
  void create(widget& parent, const rect& bounds);
  // Places the widget as the root of the window's tree at (0, 0) with the
  // size of the client rectangle. Throws std::logic_error when already created.
  void create_as_root(ui::window& owner, const rect& client);

  // Appends the child (child_added). A child that has another parent is first
  // removed from it; a child from another window moves into this one. Throws std::invalid_argument when the child is this
  // widget or one of its ancestors, or already one of its children.
  void add_child(widget& child);
  // Detaches the child (child_removed). Throws std::invalid_argument when it
  // is not a child of this widget.
  void remove_child(widget& child);

  void set_visible(bool visible);
  void set_enabled(bool enabled);
  void set_bounds(const rect& bounds);
  // Re-places the widget by its anchors inside a parent of the given size.
  void apply_anchors(std::int32_t parent_width, std::int32_t parent_height);
  // Requests a repaint of the widget's area.
  void invalidate() const;

  virtual bool is_visible() const { return visible_ && parent_visible_; }
  bool is_enabled() const noexcept { return enabled_ && parent_enabled_; }

  const std::string& name() const noexcept { return name_; }
  void set_name(std::string name) { name_ = std::move(name); }
  bool is_created() const noexcept { return created_; }
  widget* parent() const noexcept { return parent_; }
  ui::window* window() const noexcept { return window_; }
  const std::vector<widget*>& children() const noexcept { return children_; }

  bool own_visible() const noexcept { return visible_; }
  bool own_enabled() const noexcept { return enabled_; }
  rect bounds() const noexcept { return {x_, y_, width_, height_}; }
  std::int32_t x() const noexcept { return x_; }
  std::int32_t y() const noexcept { return y_; }
  std::int32_t width() const noexcept { return width_; }
  std::int32_t height() const noexcept { return height_; }
  // The widget's top-left corner in the coordinates of its window.
  point window_origin() const noexcept;

  // How a screen reader sees the widget: what describe_self gives (role,
  // name, value, default action), with the bounds in window coordinates and
  // the state (unavailable, focusable for a Tab stop, focused) added here.
  accessible_description describe() const;
  // Takes the default action (a button's press) when the widget has one and
  // is enabled and visible; false when it was refused.
  bool do_default_action();
  // Tells the window that something a screen reader reads has changed; the
  // window passes it on for described widgets that are shown.
  void notify_accessible(accessible_change change) const;

  style_block style;
  bool tab_stop = false;
  widget_anchors anchors;
  widget_shadow shadow;

protected:
  // Fills in role, name, value and default action; the base describes
  // nothing (role none: the widget's described children stand for it).
  virtual void describe_self(accessible_description& into) const;
  // The default action itself, run by do_default_action once it has checked
  // the widget can act; the base has none and returns false.
  virtual bool act_by_default() { return false; }

private:
  friend class ui::window;

  void notify_enabled_subtree() const;
  void place(const rect& bounds);
  void push_parent_visible(bool visible);
  void push_parent_enabled(bool enabled);
  void invalidate_window_area(const rect& area) const;
  void move_to_window(ui::window* target);
  void join_window(ui::window* target);
  bool has_child(const widget* child) const noexcept;
  bool is_ancestor_of(const widget& other) const noexcept;
  // Called by a window that is going away before the widget.
  void forget_window() noexcept { window_ = nullptr; }

  bool created_ = false;
  widget* parent_ = nullptr;
  ui::window* window_ = nullptr;
  std::vector<widget*> children_;
  std::string name_ = "Widget";
  bool visible_ = false;
  bool parent_visible_ = true;
  bool enabled_ = true;
  bool parent_enabled_ = true;
  std::int32_t x_ = 0;
  std::int32_t y_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace hbsdk::ui
