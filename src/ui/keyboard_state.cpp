#include "ui/keyboard_state.h"

#include <QGuiApplication>

// X11 defines macros that collide with Qt's names, so it is kept to this file.
#ifdef VELOXA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace vx {

bool queryLockKeys(bool& capsLock, bool& numLock) {
  capsLock = numLock = false;
#ifdef VELOXA_HAVE_X11
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    unsigned int state = 0;
    if (x11->display() && XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) == 0) {
      capsLock = state & 0x01;
      numLock = state & 0x02;
      return true;
    }
  }
#endif
  return false;
}

}  // namespace vx
