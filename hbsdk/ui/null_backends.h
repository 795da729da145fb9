#pragma once
// Backends that do nothing, for windows made while no platform is
// installed: the window logic runs, nothing is shown or drawn.

#include "hbsdk/ui/render_backend.h"
#include "hbsdk/ui/window_backend.h"

namespace hbsdk::ui {

class null_window_backend : public window_backend {
public:
  void create(const native_window_request& request) override {
    outer_ = {request.x, request.y, request.x + request.outer_width, request.y + request.outer_height};
  }
  void* handle() const noexcept override { return nullptr; }
  void set_title(std::u16string_view) override {}
  point device_dpi() override { return {96, 96}; }
  edge_rect frame_insets(std::uint32_t, std::uint32_t) override { return {}; }
  edge_rect outer_rect() override { return outer_; }
  void set_outer_rect(const rect& outer) override;
  edge_rect work_area() override { return {0, 0, 1024, 768}; }
  bool is_visible() override { return visible_; }
  void show() override { visible_ = true; }
  void show_inactive() override { visible_ = true; }
  void hide() override { visible_ = false; }
  void update() override {}
  void set_enabled(bool) override {}
  void set_focus() override {}
  void start_timer(std::uint32_t, std::uint32_t) override {}
  void stop_timer(std::uint32_t) override {}
  void track_mouse_leave() override {}
  void capture_mouse() override {}
  void release_mouse() override {}
  void invalidate(const edge_rect&) override {}
  edge_rect update_rect() override { return {}; }
  void validate(const edge_rect&) override {}

private:
  edge_rect outer_;
  bool visible_ = false;
};

class null_render_backend : public render_backend {
public:
  void resize(std::int32_t, std::int32_t) override {}
  void begin_frame() override {}
  void end_frame() override {}
  void push_scope(const widget&, point_f, const rect_f&) override {}
  void pop_scope() override {}
  void fill_rect(const rect_f&, const color&) override {}
  void stroke_rect(const rect_f&, const color&, float, bool) override {}
  void stroke_line(point_f, point_f, const color&, float, bool) override {}
  void draw_bitmap(device_bitmap&, const rect_f&, const rect_f&) override {}
  void draw_text(const rect_f&, std::u16string_view, const text_style&, const color&) override {}
  size_f measure_text(std::u16string_view, const text_style&, size_f) override { return {}; }
  void fill_shadow_corner(const rect_f&, point_f, float) override {}
  void fill_shadow_band(const rect_f&, point_f, point_f) override {}
  void fill_shadow_inside(const rect_f&) override {}
  std::unique_ptr<device_bitmap> make_device_bitmap(const decoded_image&) override;
  std::unique_ptr<rich_layout> make_rich_layout(std::u16string_view, const text_style&,
                                                std::span<const text_run_format>, size_f) override;
  void draw_rich_layout(rich_layout&, point_f, const color&) override {}
};

}  // namespace hbsdk::ui
