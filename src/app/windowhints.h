// Title-bar buttons the window manager is asked not to show. Qt's window flags can remove the
// minimise and maximise buttons but never the close box: when a window asks for no button at all
// Qt leaves every function to the window manager. On X11 the program writes the window's Motif
// hints itself; elsewhere (Wayland, the offscreen platform) the flags are all there is.
#pragma once

class QWidget;

namespace app {

// From now on every time `w` is shown its title bar has neither close box nor minimise and
// maximise buttons: it can only be moved, and it closes through its own buttons.
void withoutCloseBox(QWidget *w);

// The Motif function bits the window manager was given for `w` (X11 only; -1 elsewhere or when
// the window has none), for tests.
long motifFunctionsOf(QWidget *w);

} // namespace app
