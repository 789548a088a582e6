#include "framework/Events.h"

#include "framework/Component.h"
#include "framework/Exceptions.h"

KESTRANE_DEFINE_CLASS(AWTEvent, Object, 1)
KESTRANE_DEFINE_CLASS(MouseEvent, AWTEvent, 1)
KESTRANE_DEFINE_CLASS(KeyEvent, AWTEvent, 1)
KESTRANE_DEFINE_CLASS(FocusEvent, AWTEvent, 1)

AWTEvent::AWTEvent(Object* source, int id) : source_(nullptr), id_(id) {
    if (source == nullptr) {
        throw NullObjectPointerException();
    }
    source_ = objectCast<Component>(source);
    if (source_ == nullptr) {
        throw IllegalObjectTypeException();
    }
}
