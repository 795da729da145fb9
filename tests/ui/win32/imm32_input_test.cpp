// The text-input context on the real input-method manager (imm32) of a
// Win32 window: detaching and attaching the window's context, a composition
// typed through the system's input method (Wine has a built-in one that
// ImmSetCompositionStringW drives), completing it on an input-language
// change, the caret and the candidate window, the path without a context,
// and the keys the modal loop records while a composition runs.
#include "ui/win32/native_window_fixture.h"

#include "hbsdk/ui/event_info.h"

#include <imm.h>

#include <string>
#include <vector>

using namespace hb_test;

namespace {

class imm32_input_test : public native_window_test {
protected:
  imm32_input_test() {
    ui::connect(&probe.root, ui::event_type::text_composition,
                [this](const ui::event_info& info) { events.push_back(info.value); });
  }

  ui::text_input_context& context() { return probe.text_input(); }
  // Whether the window owns the thread's caret (hiding fails otherwise).
  bool has_caret() { return HideCaret(probe.hwnd()) != FALSE; }
  // The composition string the input method is asked to show, as typing would.
  bool type_composition(const std::wstring& text) {
    HIMC himc = ImmGetContext(probe.hwnd());
    if (himc == nullptr) return false;
    const BOOL set = ImmSetCompositionStringW(himc, SCS_SETSTR, const_cast<wchar_t*>(text.c_str()),
                                              static_cast<DWORD>(text.size() * sizeof(wchar_t)), nullptr, 0);
    ImmReleaseContext(probe.hwnd(), himc);
    return set != FALSE;
  }

  panel_window probe;
  std::vector<std::uint64_t> events;
};

}  // namespace

TEST_F(imm32_input_test, the_window_starts_detached_and_attaching_gives_its_context_back) {
  EXPECT_EQ(ImmGetContext(probe.hwnd()), nullptr);
  context().attach(true);
  HIMC attached = ImmGetContext(probe.hwnd());
  ASSERT_NE(attached, nullptr);
  ImmReleaseContext(probe.hwnd(), attached);
  context().attach(false);
  EXPECT_EQ(ImmGetContext(probe.hwnd()), nullptr);
  context().attach(false);  // detached twice: the context is still given back
  context().attach(true);
  HIMC again = ImmGetContext(probe.hwnd());
  EXPECT_EQ(again, attached);
  ImmReleaseContext(probe.hwnd(), again);
}

TEST_F(imm32_input_test, a_composition_through_the_input_method_reaches_the_focused_widget) {
  context().attach(true);
  context().candidate_area = {10, 20, 30, 15};
  ASSERT_TRUE(type_composition(L"abc"));
  ASSERT_TRUE(pump_until([&] { return context().text == u"abc"; }));
  EXPECT_TRUE(context().composing);
  EXPECT_EQ(context().cursor, 3);  // the input method's cursor
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[0], 0u);
  EXPECT_EQ(events.back(), 1u);
  EXPECT_TRUE(has_caret());

  // The candidate list is kept out of the area of the text being composed.
  HIMC himc = ImmGetContext(probe.hwnd());
  ASSERT_NE(himc, nullptr);
  CANDIDATEFORM placed{};
  ASSERT_TRUE(ImmGetCandidateWindow(himc, 0, &placed));
  EXPECT_EQ(placed.dwStyle, static_cast<DWORD>(CFS_EXCLUDE));
  EXPECT_EQ(placed.ptCurrentPos.x, 10);
  EXPECT_EQ(placed.ptCurrentPos.y, 20);
  EXPECT_EQ(placed.rcArea.left, 10);
  EXPECT_EQ(placed.rcArea.top, 20);
  EXPECT_EQ(placed.rcArea.right, 40);
  EXPECT_EQ(placed.rcArea.bottom, 35);

  // Completing it delivers the result and ends the composition.
  ImmNotifyIME(himc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  ImmReleaseContext(probe.hwnd(), himc);
  ASSERT_TRUE(pump_until([&] { return !context().composing; }));
  EXPECT_EQ(context().text, u"abc");
  EXPECT_EQ(context().cursor, 3);
  EXPECT_EQ(events.back(), 2u);
  EXPECT_FALSE(has_caret());
}

TEST_F(imm32_input_test, an_input_language_change_reads_the_layout_and_completes_the_composition) {
  context().attach(true);
  ASSERT_TRUE(type_composition(L"xy"));
  ASSERT_TRUE(pump_until([&] { return context().composing && context().text == u"xy"; }));
  const HKL layout = GetKeyboardLayout(0);
  SendMessageW(probe.hwnd(), WM_INPUTLANGCHANGE, 0, reinterpret_cast<LPARAM>(layout));
  EXPECT_EQ(context().language, LOWORD(reinterpret_cast<UINT_PTR>(layout)));
  EXPECT_EQ(context().is_ime, ImmIsIME(layout) != FALSE);
  // The input method was asked to complete the pending composition.
  ASSERT_TRUE(pump_until([&] { return !context().composing; }));
  EXPECT_EQ(context().text, u"xy");
  EXPECT_EQ(events.back(), 2u);
}

TEST_F(imm32_input_test, without_a_context_only_the_start_is_reported) {
  ASSERT_EQ(ImmGetContext(probe.hwnd()), nullptr);
  SendMessageW(probe.hwnd(), WM_IME_STARTCOMPOSITION, 0, 0);
  EXPECT_TRUE(context().composing);
  EXPECT_TRUE(has_caret());
  SendMessageW(probe.hwnd(), WM_IME_COMPOSITION, 0, GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS);
  SendMessageW(probe.hwnd(), WM_IME_ENDCOMPOSITION, 0, 0);
  EXPECT_FALSE(context().composing);
  EXPECT_FALSE(has_caret());
  EXPECT_EQ(events, (std::vector<std::uint64_t>{0}));
}

TEST_F(imm32_input_test, the_modal_loop_records_a_key_only_while_its_window_composes) {
  // Under Wine ImmGetVirtualKey answers VK_PROCESSKEY or 0 for keys no input
  // method processed, so a recording shows as the marker being replaced.
  constexpr std::uint64_t marker = 0x99;
  int keys = 0;
  ui::connect(&probe, ui::event_type::key_down, [&](const ui::event_info&) {
    ++keys;
    probe.native().end_modal();
  });
  // Each loop below ends at its key; the deadline only guards against a key
  // that never comes.
  const auto loop_until_key = [&] {
    static panel_window* running = nullptr;
    running = &probe;
    const UINT_PTR deadline = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { running->native().end_modal(); });
    probe.native().modal_loop();
    KillTimer(nullptr, deadline);
  };
  context().last_key = marker;
  PostMessageW(probe.hwnd(), WM_KEYDOWN, 'A', 0);
  loop_until_key();
  ASSERT_EQ(keys, 1);
  EXPECT_EQ(context().last_key, marker);

  SendMessageW(probe.hwnd(), WM_IME_STARTCOMPOSITION, 0, 0);
  ASSERT_TRUE(context().composing);
  PostMessageW(probe.hwnd(), WM_KEYDOWN, 'B', 0);
  loop_until_key();
  ASSERT_EQ(keys, 2);
  EXPECT_NE(context().last_key, marker);
  EXPECT_EQ(context().last_key_character,
            static_cast<std::uint8_t>(MapVirtualKeyW(static_cast<UINT>(context().last_key), MAPVK_VK_TO_CHAR)));
  SendMessageW(probe.hwnd(), WM_IME_ENDCOMPOSITION, 0, 0);
}
