#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/Component.h"
#include "framework/Container.h"
#include "framework/Exceptions.h"
#include "framework/NativeContainer.h"
#include "framework/Values.h"
#include "framework/Vector.h"

namespace {

TEST(ValueTypesTest, TextFormsFollowTheirClass) {
    EXPECT_EQ(Point(3, 4).toString(), "Point[x=3, y=4]");
    EXPECT_EQ(Dimension(5, 6).toString(), "Dimension[width=5,height=6]");
    EXPECT_EQ(Insets(1, 2, 3, 4).toString(), "Insets[top=1,left=2,bottom=3,right=4]");
    EXPECT_EQ(Rectangles(1, -2, 30, 40).toString(), "Rectangles[x=1,y=-2,width=30,height=40]");

    Object plain;
    EXPECT_EQ(plain.toString(), "Object@" + integerToString(plain.hashCode(), 16));
    EXPECT_THAT(plain.toString(2), testing::MatchesRegex("Object@[01]+"));
}

TEST(ValueTypesTest, IntegersPrintInAnyRadixWithTheUnsignedRule) {
    EXPECT_EQ(integerToString(255, 16), "ff");
    EXPECT_EQ(integerToString(-1, 16), "ffffffff");
    EXPECT_EQ(integerToString(-1, 2), std::string(32, '1'));
    EXPECT_EQ(integerToString(-8, 8), "37777777770");
    EXPECT_EQ(integerToString(-35, 36), "-35");  // radix outside 2..32 becomes 10
    EXPECT_EQ(integerToString(-35, 32), "-13");
    EXPECT_EQ(integerToString(31, 32), "v");
    EXPECT_EQ(integerToString(0, 10), "0");
    EXPECT_EQ(integerToString(INT32_MIN, 10), "-2147483648");
    EXPECT_EQ(Integer(-12).toString(), "-12");
}

TEST(ValueTypesTest, HashCodesEqualityAndIntersection) {
    EXPECT_EQ(Point(3, 4).hashCode(), (4 * 31) ^ 3);
    EXPECT_EQ(Rectangles(1, 2, 3, 4).hashCode(), (4 * 47) ^ (3 * 43) ^ (2 * 37) ^ 1);
    const Point a(1, 2);
    const Point b(1, 2);
    const Dimension d(1, 2);
    EXPECT_TRUE(a.equals(&b));
    EXPECT_FALSE(a.equals(&d));  // same fields, another class
    EXPECT_FALSE(a.equals(nullptr));
    Object o1;
    Object o2;
    EXPECT_TRUE(o1.equals(&o1));
    EXPECT_FALSE(o1.equals(&o2));

    EXPECT_EQ(Rectangles(0, 0, 10, 10).intersection({5, 6, 10, 10}), Rectangles(5, 6, 5, 4));
    EXPECT_TRUE(Rectangles(0, 0, 10, 10).intersection({20, 0, 5, 5}).isEmpty());
}

TEST(ValueTypesTest, SerialisationStoresTheIntegersInFieldOrder) {
    Rectangles stored(1, 2, 3, 4);
    Archive out(true);
    stored.serialize(out);
    EXPECT_THAT(out.values(), testing::ElementsAre(1, 2, 3, 4));
    Archive in(out.values());
    Rectangles loaded;
    loaded.serialize(in);
    EXPECT_EQ(loaded, stored);
    EXPECT_EQ(Rectangles::classRecord.schema, 1);
}

TEST(RuntimeClassTest, IsATestsFollowTheClassTree) {
    NativeContainer native;
    EXPECT_TRUE(native.isKindOf(Container::classRecord));
    EXPECT_TRUE(native.isKindOf(RealComponent::classRecord));
    EXPECT_TRUE(native.isKindOf(Component::classRecord));
    EXPECT_TRUE(native.isKindOf(Object::classRecord));
    EXPECT_FALSE(native.isKindOf(NativeComponent::classRecord));
    EXPECT_STREQ(native.className(), "NativeContainer");
    Stack stack;
    EXPECT_TRUE(stack.isKindOf(Vector::classRecord));
    EXPECT_EQ(objectCast<Container>(static_cast<Object*>(&stack)), nullptr);
    EXPECT_EQ(objectCast<Container>(static_cast<Object*>(&native)), &native);
    Integer number(5);
    EXPECT_TRUE(number.isKindOf(Number::classRecord));
}

TEST(VectorTest, GrowsByItsIncrementOrDoubles) {
    Vector vector;
    EXPECT_EQ(vector.capacity(), 10);
    EXPECT_EQ(vector.increment(), 4);
    Object items[40];
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(vector.append(&items[i]), i);
    }
    EXPECT_EQ(vector.capacity(), 10);
    vector.append(&items[10]);
    EXPECT_EQ(vector.capacity(), 14);

    Vector doubling(0, 0);  // both fall back to their defaults
    EXPECT_EQ(doubling.capacity(), 10);
    EXPECT_EQ(doubling.increment(), 4);
    doubling.setIncrement(0);
    for (int i = 0; i < 11; ++i) {
        doubling.append(&items[i]);
    }
    EXPECT_EQ(doubling.capacity(), 20);
}

TEST(VectorTest, GetRemoveAndRemoveAll) {
    Vector vector;
    Object a;
    Object b;
    Object c;
    vector.append(&a);
    vector.append(&b);
    vector.append(&c);
    Object* item = nullptr;
    EXPECT_FALSE(vector.get(3, item));
    EXPECT_FALSE(vector.get(-1, item));
    EXPECT_TRUE(vector.removeAt(0));
    ASSERT_TRUE(vector.get(0, item));
    EXPECT_EQ(item, &b);
    EXPECT_FALSE(vector.removeAt(2));
    vector.append(&a);
    for (int i = 0; i < 20; ++i) {
        vector.append(&a);
    }
    const int capacity = vector.capacity();
    vector.removeAll();
    EXPECT_EQ(vector.count(), 0);
    EXPECT_EQ(vector.capacity(), capacity);
}

TEST(StackTest, PopOfAnEmptyStackFailsWithoutChange) {
    Stack stack;
    Object* item = nullptr;
    EXPECT_FALSE(stack.pop(item));
    EXPECT_FALSE(stack.peek(item));
    Object a;
    Object b;
    stack.push(&a);
    stack.push(&b);
    ASSERT_TRUE(stack.peek(item));
    EXPECT_EQ(item, &b);
    ASSERT_TRUE(stack.pop(item));
    EXPECT_EQ(item, &b);
    EXPECT_EQ(stack.count(), 1);
}

TEST(ExceptionsTest, EachReportsItsOwnMessage) {
    EXPECT_STREQ(ObjectException().what(), "Object: General Exception");
    EXPECT_STREQ(NullObjectPointerException().what(), "Object: Null Object Pointer Exception");
    EXPECT_STREQ(IllegalObjectTypeException().what(), "Object: Illegal Object Type Exception");
    EXPECT_STREQ(IllegalArgumentException().what(), "Object: Illegal Argument Exception");
    EXPECT_STREQ(NumberFormatException().what(), "Object: Number Format Exception");
    const IllegalArgumentException& asBase = NumberFormatException();
    EXPECT_STREQ(asBase.what(), "Object: Number Format Exception");
}

TEST(EventsTest, AnEventNeedsAComponentAsItsSource) {
    EXPECT_THROW(MouseEvent(nullptr, eventid::MousePressed, 0, 0, 0), NullObjectPointerException);
    Point notAComponent;
    EXPECT_THROW(KeyEvent(&notAComponent, eventid::KeyPressed, 0, 0), IllegalObjectTypeException);
    Component component;
    const MouseEvent event(&component, eventid::MouseMoved, modifier::Alt, 3, 4);
    EXPECT_EQ(event.getSource(), &component);
    EXPECT_TRUE(event.isAltDown());
    EXPECT_TRUE(event.isMouseMotionEvent());
}

TEST(ComponentTest, FieldsDefaultsAndInheritance) {
    Container parent;
    Component child;
    EXPECT_TRUE(child.isEnabled());
    EXPECT_TRUE(child.isVisible());
    EXPECT_FALSE(child.isValid());
    EXPECT_EQ(child.getForeground(), kColorUnset);
    ASSERT_TRUE(parent.add(&child));
    EXPECT_EQ(child.getParent(), &parent);

    parent.setBackground(0x123456);
    child.setBackground(kColorUnset);  // ignored
    EXPECT_EQ(child.getBackground(), kColorUnset);
    EXPECT_EQ(child.effectiveBackground(), 0x123456u);
    parent.setInheritedValue(7);
    EXPECT_EQ(child.getInheritedValue(), 7u);
    child.setInheritedValue(9);
    EXPECT_EQ(child.getInheritedValue(), 9u);
    parent.setSelected(true);
    EXPECT_TRUE(child.isSelected());
    parent.setVisible(false);
    EXPECT_FALSE(child.isShowing());

    child.setBounds(1, 2, 10, 5);
    EXPECT_TRUE(child.contains(0, 0));
    EXPECT_TRUE(child.contains(9, 4));
    EXPECT_FALSE(child.contains(10, 4));

    Point notAContainer;
    EXPECT_FALSE(child.setParent(&notAContainer));
    EXPECT_EQ(child.getParent(), &parent);
}

TEST(ContainerTest, ChildrenAreAddedAtValidIndexesOnly) {
    Container container;
    Component a;
    Component b;
    Component c;
    EXPECT_TRUE(container.add(&a, -1));
    EXPECT_FALSE(container.add(&b, 2));
    EXPECT_FALSE(container.add(&b, -2));
    EXPECT_TRUE(container.add(&b, 0));
    EXPECT_TRUE(container.add(&c, 1));
    EXPECT_EQ(container.getComponent(0), &b);
    EXPECT_EQ(container.getComponent(1), &c);
    EXPECT_EQ(container.indexOf(&a), 2);
    EXPECT_FALSE(container.add(nullptr));
    EXPECT_FALSE(container.add(&container));

    Container other;
    EXPECT_TRUE(other.add(&c));  // moves it
    EXPECT_EQ(container.getComponentCount(), 2);
    EXPECT_EQ(c.getParent(), &other);
    EXPECT_TRUE(container.remove(&a));
    EXPECT_EQ(a.getParent(), nullptr);
    EXPECT_FALSE(container.remove(&a));
}

TEST(ContainerTest, LayoutIsValidatedOnceChildrenFirst) {
    struct CountingLayout : Layouter {
        bool layoutContainer(Container&) override {
            ++runs;
            return true;
        }
        int runs = 0;
    } layout;
    Container outer;
    Container inner;
    outer.add(&inner);
    EXPECT_TRUE(outer.setLayout(&layout));
    outer.validate();
    EXPECT_TRUE(outer.isValid());
    EXPECT_TRUE(inner.isValid());
    outer.validate();
    EXPECT_EQ(layout.runs, 1);

    inner.invalidate();  // reaches the parent
    EXPECT_FALSE(outer.isValid());
    outer.validate();
    EXPECT_EQ(layout.runs, 2);

    Point notALayout;
    EXPECT_FALSE(outer.setLayout(&notALayout));
    EXPECT_EQ(outer.getLayout(), nullptr);
    EXPECT_TRUE(outer.doLayout());
}

TEST(ComponentTest, ListenerSlotsHoldOneEachAndRemoveOnlyTheirOwn) {
    RealComponent component;
    MouseListener first;
    MouseListener second;
    EXPECT_EQ(component.getEventMask(), 0u);
    component.addMouseListener(&first);
    EXPECT_EQ(component.getEventMask() & kMouseEventMask, kMouseEventMask);
    component.addMouseListener(&second);
    EXPECT_EQ(component.getMouseListener(), &second);
    EXPECT_FALSE(component.removeMouseListener(&first));
    EXPECT_EQ(component.getMouseListener(), &second);
    EXPECT_TRUE(component.removeMouseListener(&second));
    EXPECT_EQ(component.getMouseListener(), nullptr);
}

}  // namespace
