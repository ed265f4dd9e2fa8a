#include "procctl/stopped_process_list.h"

#include <new>
#include <utility>

StoppedProcessList::~StoppedProcessList() { Clear(); }

bool StoppedProcessList::PushFront(std::unique_ptr<ExitStrategy> strategy) noexcept {
  Node* node = new (std::nothrow) Node{nullptr, head_};
  if (node == nullptr) return false;  // `strategy` goes out of scope and is freed
  node->strategy = std::move(strategy);
  head_ = node;
  return true;
}

void StoppedProcessList::Clear() noexcept {
  while (head_ != nullptr) {
    Node* next = head_->next;
    delete head_;
    head_ = next;
  }
}

size_t StoppedProcessList::Size() const {
  size_t count = 0;
  for (Node* node = head_; node != nullptr; node = node->next) ++count;
  return count;
}

ExitStrategy* StoppedProcessList::At(size_t index) const {
  Node* node = head_;
  for (; node != nullptr && index > 0; --index) node = node->next;
  return node != nullptr ? node->strategy.get() : nullptr;
}
