#include "hbsdk/ui/sdl/sdl_platform_services.h"

#include "hbsdk/filesystem/encoding.h"
#include "hbsdk/ui/cairo/cairo_render_backend.h"
#include "hbsdk/ui/file_drop.h"
#include "hbsdk/ui/native_platform.h"
#include "hbsdk/ui/native_window.h"
#include "hbsdk/ui/sdl/sdl_event_translation.h"
#include "hbsdk/ui/sdl/sdl_surface_target.h"
#include "hbsdk/ui/sdl/sdl_virtual_keys.h"
#include "hbsdk/ui/sdl/sdl_window_backend.h"
#include "hbsdk/ui/sdl/x11_error_filter.h"
#include "hbsdk/ui/sdl/x11_pointer.h"
#include "hbsdk/ui/window.h"
#include "hbsdk/ui/window_procedure.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace hbsdk::ui {
namespace {

constexpr Uint32 subsystems = SDL_INIT_VIDEO;

// The code a complete drop is queued under (WM_DROPFILES); its paths ride
// along with the queued message.
constexpr std::uint32_t drop_files_message = 0x0233;

// Set before SDL starts, so that SDL behaves as the Windows build does:
// signals end the program as they normally do, no automatic mouse capture
// while a button is held (the toolkit captures when it wants to), a double
// click within Windows' 4-pixel square, and the screen saver and the
// compositor are left alone. An IME's editing text longer than an event's
// 31 bytes comes whole, with its cursor (SDL_TEXTEDITING_EXT), instead of cut
// into pieces that lose the cursor. The window surface is the driver's own pixels
// (X11 shared memory): by default SDL backs it with an OpenGL texture when
// it finds a GL driver, which under Xvfb costs about 250 ms to load Mesa at
// the first paint and 11 ms per full present of 800 x 600, against 5 ms and
// 0.2 ms without.
void set_hints() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "2");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
}

// Frees what SDL allocated for an event: the text of a long composition, the
// name of a dropped file or the dropped text.
void free_event_memory(const SDL_Event& event) {
  switch (event.type) {
    case SDL_TEXTEDITING_EXT:
      SDL_free(event.editExt.text);
      break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPBEGIN:
    case SDL_DROPCOMPLETE:
      SDL_free(event.drop.file);
      break;
    default:
      break;
  }
}

class event_memory {
public:
  explicit event_memory(const SDL_Event& event) : event_(event) {}
  ~event_memory() { free_event_memory(event_); }
  event_memory(const event_memory&) = delete;
  event_memory& operator=(const event_memory&) = delete;

private:
  const SDL_Event& event_;
};

std::size_t text_bytes(const SDL_TextInputEvent& text) { return strnlen(text.text, sizeof text.text); }

// Joins the pieces that follow one piece of a text SDL cut: a piece cut
// short could not take the next character (at most 4 bytes), and the rest
// of the text is queued right behind it.
void append_text_pieces(std::uint32_t window_id, std::size_t piece_bytes, std::u16string& text) {
  constexpr std::size_t room = SDL_TEXTINPUTEVENT_TEXT_SIZE - 1;
  SDL_Event next;
  while (piece_bytes + 4 > room && SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
         next.type == SDL_TEXTINPUT && next.text.windowID == window_id) {
    SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
    piece_bytes = text_bytes(next.text);
    text += filesystem::to_wide_replacing(std::string_view(next.text.text, piece_bytes));
  }
}

sdl_window_backend& sdl_backend_of(native_window& target) {
  auto* backend = dynamic_cast<sdl_window_backend*>(&target.backend());
  if (backend == nullptr) {
    throw std::logic_error("the native window was not made by the SDL platform");
  }
  return *backend;
}

}  // namespace

std::unique_ptr<platform_services> create_native_platform_services() {
  return std::make_unique<sdl_platform_services>();
}

sdl_platform_services::sdl_session::sdl_session() {
  set_hints();
  install_x11_error_filter();
  if (SDL_InitSubSystem(subsystems) != 0) {
    throw std::runtime_error(std::string("unable to start SDL: ") + SDL_GetError());
  }
}

sdl_platform_services::sdl_session::~sdl_session() {
  SDL_QuitSubSystem(subsystems);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
    SDL_Quit();
  }
}

// Files dropped on a window are wanted (this also makes SDL announce its X11
// windows as drop targets); dropped text is not.
sdl_platform_services::sdl_platform_services() {
  const char* driver = SDL_GetCurrentVideoDriver();
  global_pointer_ = driver != nullptr && std::strcmp(driver, "x11") == 0;
  SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
  SDL_EventState(SDL_DROPTEXT, SDL_DISABLE);
}

sdl_platform_services::~sdl_platform_services() {
  if (waiting_) {
    free_event_memory(*waiting_);
  }
}

void sdl_platform_services::request_repaint(const window& target, const edge_rect& area) {
  const_cast<window&>(target).native().backend().invalidate(area);
}

// Inside a window SDL knows where the pointer is from that window's own
// events; its global state on X11 is cached and refreshed only by raw
// input events (which synthetic input does not always produce), so it is
// used only while no window has the mouse. Drivers without either report
// the last position a mouse event of one of our windows carried.
point sdl_platform_services::pointer_position() {
  if (drop_pointer_) {
    return *drop_pointer_;
  }
  int x = 0;
  int y = 0;
  SDL_Window* focus = SDL_GetMouseFocus();
  if (focus != nullptr) {
    SDL_GetMouseState(&x, &y);
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(focus, &left, &top);
    return {left + x, top + y};
  }
  if (global_pointer_) {
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
  }
  return last_pointer_;
}

point sdl_platform_services::screen_to_client(const window& target, point screen) {
  const point origin = sdl_backend_of(const_cast<window&>(target).native()).client_origin();
  return {screen.x - origin.x, screen.y - origin.y};
}

bool sdl_platform_services::is_key_down(std::int32_t virtual_key) { return is_virtual_key_down(virtual_key); }

point sdl_platform_services::screen_size() {
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(0, &bounds) != 0) {
    return {};
  }
  return {bounds.w, bounds.h};
}

std::unique_ptr<window_backend> sdl_platform_services::create_window_backend(native_window& owner) {
  return std::make_unique<sdl_window_backend>(*this, owner);
}

std::unique_ptr<render_backend> sdl_platform_services::create_render_backend(native_window& target) {
  return std::make_unique<cairo_render_backend>(
      std::make_unique<sdl_surface_target>(sdl_backend_of(target).window()));
}

void sdl_platform_services::window_created(sdl_window_backend& backend) {
  windows_[backend.window_id()] = &backend;
  creation_order_.push_back(&backend);
}

void sdl_platform_services::window_destroyed(sdl_window_backend& backend) {
  drops_.forget(backend.window_id());
  windows_.erase(backend.window_id());
  std::erase(creation_order_, &backend);
}

sdl_window_backend* sdl_platform_services::find_window(std::uint32_t window_id) const {
  const auto found = windows_.find(window_id);
  return found != windows_.end() ? found->second : nullptr;
}

bool sdl_platform_services::paint_pending() const {
  return std::any_of(creation_order_.begin(), creation_order_.end(),
                     [](const sdl_window_backend* backend) { return backend->wants_paint(); });
}

// Blocks until an SDL event comes or the next timer is due; with no timer
// running it waits for an event alone.
void sdl_platform_services::wait_message() {
  if (!queued_.empty() || waiting_ || paint_pending()) {
    return;
  }
  const std::optional<std::uint64_t> next_timer = timers_.time_to_next(SDL_GetTicks64());
  if (next_timer && *next_timer == 0) {
    return;
  }
  SDL_Event event;
  if (!next_timer) {
    if (SDL_WaitEvent(&event) == 0) {
      throw std::runtime_error(std::string("waiting for SDL events failed: ") + SDL_GetError());
    }
    waiting_ = event;
    return;
  }
  // The wait ends on time or with an event (0 means the time ran out).
  const auto timeout = static_cast<int>(std::min<std::uint64_t>(*next_timer, 0x7FFFFFFF));
  if (SDL_WaitEventTimeout(&event, timeout) != 0) {
    waiting_ = event;
  }
}

bool sdl_platform_services::queue_event(const SDL_Event& event) {
  const event_memory owned(event);
  const std::uint32_t window_id = event_window_id(event);
  sdl_window_backend* backend = find_window(window_id);
  if (backend == nullptr) {
    return false;
  }
  if (event.type >= SDL_DROPFILE && event.type <= SDL_DROPCOMPLETE) {
    return queue_drop(event, *backend);
  }
  const point origin = backend->client_origin();
  if (event.type == SDL_MOUSEMOTION) {
    last_pointer_ = {origin.x + event.motion.x, origin.y + event.motion.y};
  } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
    last_pointer_ = {origin.x + event.button.x, origin.y + event.button.y};
  }
  translation_state state;
  state.modifiers = SDL_GetModState();
  state.mouse_buttons = SDL_GetMouseState(nullptr, nullptr);
  state.client_origin = origin;
  sdl_composition& composition = backend->composition();
  state.ime_attached = composition.attached;
  state.composing = composition.text.composing;
  translated_event translated = translate_event(event, state);
  if (translated.input && !backend->enabled()) {
    return false;
  }
  if (translated.pressed_key != 0) {
    composition.last_key = translated.pressed_key;
  }
  if (translated.composition) {
    if (event.type == SDL_TEXTINPUT) {
      append_text_pieces(window_id, text_bytes(event.text), translated.composition->result);
    }
    composition.text = std::move(*translated.composition);
  }
  if (translated.repaint_window) {
    backend->invalidate_all();
  }
  bool queued = false;
  for (std::size_t i = 0; i < translated.count; ++i) {
    const window_message& m = translated.messages[i];
    if (m.code == message::mouse_leave && !backend->take_leave_request()) {
      continue;
    }
    queued_.push_back({window_id, m, {}});
    queued = true;
  }
  return queued;
}

bool sdl_platform_services::queue_drop(const SDL_Event& event, const sdl_window_backend& backend) {
  const std::uint32_t window_id = backend.window_id();
  std::optional<sdl_drop_collector::file_list> files;
  switch (event.type) {
    case SDL_DROPBEGIN:
      drops_.begin(window_id);
      break;
    case SDL_DROPFILE:
      files = drops_.add(window_id, event.drop.file != nullptr ? event.drop.file : "");
      break;
    case SDL_DROPCOMPLETE:
      files = drops_.complete(window_id);
      break;
    default:  // dropped text
      break;
  }
  if (!files || !backend.enabled()) {
    return false;
  }
  queued_.push_back({window_id, {drop_files_message, 0, 0}, std::move(*files)});
  return true;
}

// The drop goes to the widget under the pointer where it happened; X11 is
// asked where that is, since the window saw no pointer events during the drag.
// That point stands for the pointer until the next message is taken, so a
// loop that a files_dropped callback runs sees the pointer as it moves.
void sdl_platform_services::deliver_drop(sdl_window_backend& backend, const std::vector<std::u16string>& files) {
  window* owner = backend.owner().owner_window();
  if (owner == nullptr) {
    return;
  }
  struct pointer_scope {
    std::optional<point>& pointer;
    ~pointer_scope() { pointer.reset(); }
  } const scope{drop_pointer_};
  drop_pointer_ = x11_pointer_position(backend.window());
  deliver_dropped_files(*owner, files);
}

bool sdl_platform_services::take_message() {
  taken_.reset();
  drop_pointer_.reset();
  if (queued_.empty()) {
    SDL_Event event;
    for (;;) {
      if (waiting_) {
        event = *waiting_;
        waiting_.reset();
      } else if (SDL_PollEvent(&event) == 0) {
        break;
      }
      if (queue_event(event)) {
        break;
      }
    }
  }
  if (!queued_.empty()) {
    taken_ = std::move(queued_.front());
    queued_.pop_front();
    return true;
  }
  // Painting comes when nothing else waits, and due timers after it, as
  // WM_PAINT and WM_TIMER do.
  for (const sdl_window_backend* backend : creation_order_) {
    if (backend->wants_paint()) {
      taken_ = queued_message{backend->window_id(), {message::paint, 0, 0}, {}};
      return true;
    }
  }
  if (const std::optional<timer_binding> due = timers_.take_due(SDL_GetTicks64())) {
    taken_ = queued_message{due->window_id, {message::timer, due->timer_id, 0}, {}};
    return true;
  }
  return false;
}

void sdl_platform_services::dispatch_message() {
  if (!taken_) {
    return;
  }
  const queued_message delivered = std::move(*taken_);
  taken_.reset();
  sdl_window_backend* backend = find_window(delivered.window_id);
  if (backend == nullptr) {
    return;
  }
  if (delivered.message.code == drop_files_message) {
    deliver_drop(*backend, delivered.files);
    return;
  }
  if (handle_message(backend->owner(), delivered.message)) {
    return;
  }
  // What the system does with a message the window procedure leaves to it.
  if (delivered.message.code == message::set_cursor) {
    cursors_.show(cursor_shape::arrow);
  } else if (delivered.message.code == message::paint) {
    backend->validate(backend->update_rect());
  }
}

}  // namespace hbsdk::ui
