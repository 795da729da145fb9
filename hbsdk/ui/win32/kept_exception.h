#pragma once
// Exceptions must not unwind through the system's frames: a window procedure
// runs inside DispatchMessageW, ShowWindow, UpdateWindow, SetFocus and other
// calls. The window procedure catches what the toolkit throws and keeps it
// here; the backend rethrows it as soon as the system call returns to
// toolkit code. Only the first exception is kept until it is rethrown.

#include <exception>

namespace hbsdk::ui::win32 {

// Keeps the exception unless one is kept already (one per thread).
void keep_exception(std::exception_ptr caught) noexcept;
// Rethrows the kept exception, if any, and forgets it.
void rethrow_kept_exception();

}  // namespace hbsdk::ui::win32
