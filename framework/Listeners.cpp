#include "framework/Listeners.h"

KESTRANE_DEFINE_CLASS(EventListener, Object, 1)
KESTRANE_DEFINE_CLASS(MouseListener, EventListener, 1)
KESTRANE_DEFINE_CLASS(MouseMotionListener, EventListener, 1)
KESTRANE_DEFINE_CLASS(KeyListener, EventListener, 1)
KESTRANE_DEFINE_CLASS(FocusListener, EventListener, 1)
KESTRANE_DEFINE_CLASS(Layouter, Object, 1)
