#pragma once
// The platform services of the Linux build, on SDL2 (video and timers) with
// cairo drawing. One instance starts SDL and stops it again; every native
// window (sdl_window_backend) registers with it by its SDL window id.
//
// The message queue is SDL's event queue, translated (sdl_event_translation.h):
//
//   wait_message      returns at once when a message is ready, a shown
//                     window waits to be painted or a timer is due;
//                     otherwise blocks in SDL_WaitEvent (SDL_WaitEventTimeout
//                     until the next timer), which uses no CPU meanwhile
//   take_message      the messages left from the last translated event first
//                     (WM_CHAR after its WM_KEYDOWN, as TranslateMessage posts
//                     it), then SDL's next event, then one WM_PAINT for the
//                     first shown window that waits to be painted, then
//                     WM_TIMER for the first due timer
//   dispatch_message  the window procedure of the message's window; where it
//                     leaves a message to the platform, WM_SETCURSOR shows the
//                     arrow and WM_PAINT validates the window
//
// Input of a disabled window (keys, text, compositions, the mouse, crossing
// events and the close box) is dropped when it is taken: a pop-up's owner
// still gets its clicks from X11 while the pop-up's loop runs. A window's
// WM_MOUSELEAVE is delivered only when it asked for one.
//
// Text input: a translated event's composition state is stored in its
// window before its messages are delivered. SDL reports a long editing text
// whole (SDL_TEXTEDITING_EXT) and hands a long text over in pieces of at
// most 31 bytes queued one after another; the pieces of a composition's
// result are joined into one result. The memory SDL allocates for an event
// is freed once the event is translated, whatever becomes of it.
//
// File drops: SDL's drop events are grouped per window (sdl_drop_collector.h);
// a complete list is queued for its window as one message and delivered with
// deliver_dropped_files, to the widget under the pointer where the drop
// happened: on X11 the pointer is asked of the X server for that delivery
// (a drag source holds the pointer, so the window saw no pointer events),
// and that point stands for the pointer until the next message is taken. A
// disabled window takes no drop. Dropped text is not wanted.
//
// The pointer is where SDL last saw it in the window that has the mouse
// (moved by that window's position); while no window has it, SDL's global
// mouse state on X11, or with other drivers (offscreen, dummy) the last
// position a mouse event of one of the windows carried. DPI is 96: the toolkit runs
// unscaled on Linux, as the Windows program does (it declares no DPI
// awareness, so Windows reports 96 and scales the window itself).

#include "hbsdk/ui/platform_services.h"
#include "hbsdk/ui/sdl/sdl_cursor_table.h"
#include "hbsdk/ui/sdl/sdl_drop_collector.h"
#include "hbsdk/ui/sdl/sdl_timer_service.h"
#include "hbsdk/ui/window_message.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace hbsdk::ui {

class sdl_window_backend;

class sdl_platform_services final : public platform_services {
public:
  // Starts SDL's video (the driver SDL picks, or SDL_VIDEODRIVER).
  // Raises std::runtime_error when SDL cannot start (no display).
  sdl_platform_services();
  ~sdl_platform_services() override;
  sdl_platform_services(const sdl_platform_services&) = delete;
  sdl_platform_services& operator=(const sdl_platform_services&) = delete;

  void request_repaint(const window& target, const edge_rect& area) override;
  point pointer_position() override;
  point screen_to_client(const window& target, point screen) override;
  bool is_key_down(std::int32_t virtual_key) override;
  point screen_dpi() override { return {96, 96}; }
  point screen_size() override;
  std::unique_ptr<window_backend> create_window_backend(native_window& owner) override;
  std::unique_ptr<render_backend> create_render_backend(native_window& target) override;
  void wait_message() override;
  bool take_message() override;
  void dispatch_message() override;
  const window_message* taken_message() const override { return taken_ ? &taken_->message : nullptr; }
  void set_cursor(cursor_shape shape) override { cursors_.show(shape); }

  sdl_timer_service& timers() noexcept { return timers_; }
  // Called by the window backends once their SDL window exists, and before it goes.
  void window_created(sdl_window_backend& backend);
  void window_destroyed(sdl_window_backend& backend);
  sdl_window_backend* find_window(std::uint32_t window_id) const;

private:
  struct queued_message {
    std::uint32_t window_id = 0;
    window_message message;
    std::vector<std::u16string> files;  // the paths of a drop
  };

  // Starts SDL's video before the other members are made, and stops it
  // after those are gone.
  struct sdl_session {
    sdl_session();
    ~sdl_session();
    sdl_session(const sdl_session&) = delete;
    sdl_session& operator=(const sdl_session&) = delete;
  };

  // Translates one SDL event into queued messages; false when it gives none.
  bool queue_event(const SDL_Event& event);
  // Collects one drop event; queues a complete drop. False when nothing is queued.
  bool queue_drop(const SDL_Event& event, const sdl_window_backend& backend);
  void deliver_drop(sdl_window_backend& backend, const std::vector<std::u16string>& files);
  bool paint_pending() const;

  sdl_session session_;
  sdl_timer_service timers_;
  sdl_cursor_table cursors_;
  bool global_pointer_ = false;
  point last_pointer_;
  std::optional<point> drop_pointer_;  // where a drop being delivered happened
  sdl_drop_collector drops_;
  std::unordered_map<std::uint32_t, sdl_window_backend*> windows_;
  std::vector<sdl_window_backend*> creation_order_;
  std::deque<queued_message> queued_;
  std::optional<queued_message> taken_;
  std::optional<SDL_Event> waiting_;  // taken from SDL by wait_message
};

}  // namespace hbsdk::ui
