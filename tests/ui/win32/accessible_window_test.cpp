// The accessible object of a real Win32 window, read in the window's own
// process through the system (AccessibleObjectFromWindow): roles, names,
// states, locations in screen pixels, the default action queued to the
// message loop, and an object that outlives its window.
#include "ui/win32/native_window_fixture.h"

#include <initguid.h>
#include <oleacc.h>

#include <memory>
#include <thread>

using namespace hb_test;

namespace {

// A described push button that counts its presses.
class press_counter : public ui::widget {
public:
  int presses = 0;

protected:
  void describe_self(ui::accessible_description& into) const override {
    into.role = ui::accessible_role::push_button;
    into.name = "Gr\u00fc\u00dfe";
    into.default_action = "Press";
  }
  bool act_by_default() override {
    ++presses;
    return true;
  }
};

VARIANT child(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

IAccessible* object_of(HWND window) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                             reinterpret_cast<void**>(&object));
  return object;
}

class accessible_window_test : public native_window_test {
protected:
  accessible_window_test() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    probe = std::make_unique<panel_window>("probe");
    button.create(probe->right, {20, 30, 80, 24});
  }
  ~accessible_window_test() override {
    probe.reset();
    CoUninitialize();
  }

  std::unique_ptr<panel_window> probe;
  press_counter button;
};

}  // namespace

TEST_F(accessible_window_test, the_window_and_its_button_read_as_the_system_reports_them) {
  show(*probe);
  IAccessible* object = object_of(probe->hwnd());
  ASSERT_NE(object, nullptr);
  VARIANT role;
  ASSERT_EQ(object->get_accRole(child(CHILDID_SELF), &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_DIALOG);
  BSTR name = nullptr;
  ASSERT_EQ(object->get_accName(child(CHILDID_SELF), &name), S_OK);
  EXPECT_EQ(std::wstring(name), L"probe");
  SysFreeString(name);
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 1);

  const LONG id = probe->accessible_id(button);
  ASSERT_EQ(object->get_accRole(child(id), &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
  ASSERT_EQ(object->get_accName(child(id), &name), S_OK);
  EXPECT_EQ(std::wstring(name), L"Gr\u00fc\u00dfe");
  SysFreeString(name);
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(object->accLocation(&left, &top, &width, &height, child(id)), S_OK);
  POINT corner{220, 30};  // the right panel starts at 200
  ClientToScreen(probe->hwnd(), &corner);
  EXPECT_EQ(left, corner.x);
  EXPECT_EQ(top, corner.y);
  EXPECT_EQ(width, 80);
  EXPECT_EQ(height, 24);
  VARIANT hit;
  ASSERT_EQ(object->accHitTest(corner.x + 5, corner.y + 5, &hit), S_OK);
  EXPECT_EQ(hit.lVal, id);
  ASSERT_EQ(object->accHitTest(corner.x - 50, corner.y + 5, &hit), S_OK);
  EXPECT_EQ(hit.lVal, CHILDID_SELF);
  VARIANT bad = child(id + 100);
  EXPECT_EQ(object->get_accName(bad, &name), E_INVALIDARG);
  object->Release();
}

TEST_F(accessible_window_test, the_default_action_returns_at_once_and_runs_from_the_loop_unless_disabled) {
  show(*probe);
  IAccessible* object = object_of(probe->hwnd());
  ASSERT_NE(object, nullptr);
  const LONG id = probe->accessible_id(button);
  ASSERT_EQ(object->accDoDefaultAction(child(id)), S_OK);
  EXPECT_EQ(button.presses, 0);
  EXPECT_TRUE(pump_until([&] { return button.presses == 1; }));
  button.set_enabled(false);
  VARIANT state;
  ASSERT_EQ(object->get_accState(child(id), &state), S_OK);
  EXPECT_NE(state.lVal & STATE_SYSTEM_UNAVAILABLE, 0);
  EXPECT_EQ(object->accDoDefaultAction(child(id)), E_FAIL);
  EXPECT_EQ(object->accDoDefaultAction(child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
  object->Release();
}

TEST_F(accessible_window_test, an_object_kept_after_its_window_is_gone_refuses_every_call) {
  IAccessible* object = object_of(probe->hwnd());
  ASSERT_NE(object, nullptr);
  long count = 0;
  // Another thread is turned away while the window lives.
  HRESULT elsewhere = S_OK;
  std::thread([&] { elsewhere = object->get_accChildCount(&count); }).join();
  EXPECT_TRUE(FAILED(elsewhere));
  probe.reset();
  EXPECT_TRUE(FAILED(object->get_accChildCount(&count)));
  BSTR name = nullptr;
  EXPECT_TRUE(FAILED(object->get_accName(child(CHILDID_SELF), &name)));
  EXPECT_TRUE(FAILED(object->accDoDefaultAction(child(1))));
  object->Release();
}
