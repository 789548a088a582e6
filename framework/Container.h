#pragma once

#include <vector>

#include "framework/Component.h"

// A component with children. The child list is in insertion order, which is
// also the painting order; the container does not own its children.
class Container : public RealComponent {
    KESTRANE_DECLARE_CLASS(Container)
  public:
    ~Container() override;

    bool create() override;

    int getComponentCount() const override { return static_cast<int>(children_.size()); }
    Component* getComponent(int index) const override;
    int indexOf(const Component* component) const override;
    // Adds at `index` (-1 appends); fails for an index outside 0..count.
    bool add(Component* component, int index) override;
    using Component::add;
    bool remove(int index) override;
    bool remove(Component* component) override;
    void removeAll() override;
    bool isAncestorOf(const Component* component) const override;
    // The deepest visible component at the point (own coordinates): the
    // children are tried from the last added to the first; the container
    // itself when no child is hit.
    Component* getComponentAt(int x, int y) override;

    Layouter* getLayout() const override { return layout_; }
    // Accepts only a Layouter; anything else clears the layout.
    bool setLayout(Object* layout) override;
    bool doLayout() override;
    // Lays out the children first, then the container.
    void validate() override;

    // Paints the visible children whose bounds meet the clip box, each
    // clipped to its bounds with the origin moved to it.
    void paint(Graphics& graphics) override;

  protected:
    void paintChildren(Graphics& graphics);

  private:
    std::vector<Component*> children_;
    Layouter* layout_ = nullptr;
};
