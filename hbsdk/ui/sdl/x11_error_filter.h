#pragma once
// Keeps one harmless X error from ending the program. SDL 2.26 wakes its own
// waiting thread by sending a message to a window over a second X
// connection, also for events it adds itself; when that window is destroyed
// right after the wait ended (a pop-up closed by a key, the close box), the
// X server may handle the destruction first and answer BadWindow, which
// Xlib's default handler turns into exit(1) when SDL closes the connection.
// The filter drops BadWindow errors of X_SendEvent and hands every other
// error to the handler installed before it.
//
// It must be installed before SDL starts its video: SDL keeps the handler
// it finds, chains its own to it, and puts it back before it closes its
// connections, which is when that error is read.

namespace hbsdk::ui {

// Installs the filter once per process (Xlib keeps one handler for all
// connections; with another video driver it is never called).
void install_x11_error_filter();

}  // namespace hbsdk::ui
