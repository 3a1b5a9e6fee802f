// Arrays of elements created and removed by index, like a control array: sparse, with design elements.
#pragma once

#include <algorithm>
#include <cassert>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/Element.h"

namespace tarsio {

template <class T>
class ElementArray {
 public:
  using Handler = std::function<void(MouseAction, int index, const MouseArgs&)>;

  // The design elements exist from the start, hidden; the first of them is the template that every
  // loaded element copies.
  ElementArray(BoardCanvas* canvas, Layer layer, std::initializer_list<int> designIndices)
      : canvas_(canvas), layer_(layer), template_(*designIndices.begin()) {
    for (int index : designIndices) create(index);
  }

  bool exists(int index) const {
    return index >= 0 && index < static_cast<int>(slots_.size()) && slots_[index] != nullptr;
  }
  T& operator()(int index) const {
    assert(exists(index));
    return *slots_[index];
  }
  // Number of elements that exist, design elements included.
  int count() const { return count_; }

  // Creates element `index` as a hidden copy of the template; the index must be free.
  T& Load(int index) {
    assert(!exists(index));
    T& element = create(index);
    element.copyLookFrom(*slots_[template_]);
    return element;
  }
  void Unload(int index) {
    assert(exists(index));
    slots_[index].reset();
    --count_;
  }

  // Mouse events of every element of the array, present and future, go to one handler with the index.
  void setMouseHandler(Handler handler) {
    handler_ = std::move(handler);
    for (int i = 0; i < static_cast<int>(slots_.size()); ++i)
      if (slots_[i]) bindMouse(i);
  }

 private:
  T& create(int index) {
    if (index >= static_cast<int>(slots_.size())) slots_.resize(index + 1);
    slots_[index] = std::make_unique<T>(canvas_, layer_);
    ++count_;
    if (handler_) bindMouse(index);
    return *slots_[index];
  }
  void bindMouse(int index) {
    if constexpr (std::is_same_v<T, ImageElement>)
      slots_[index]->setMouseHandler(
          [this, index](MouseAction action, const MouseArgs& args) { handler_(action, index, args); });
  }

  BoardCanvas* canvas_;
  Layer layer_;
  int template_;
  std::vector<std::unique_ptr<T>> slots_;
  int count_ = 0;
  Handler handler_;
};

}  // namespace tarsio
