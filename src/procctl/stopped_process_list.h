#pragma once
// The strategies made during the run, newest first. They are kept until the
// program ends and then freed front to back without restarting anything.
#include <cstddef>
#include <memory>

#include "procctl/exit_strategy.h"

class StoppedProcessList {
 public:
  StoppedProcessList() = default;
  ~StoppedProcessList();
  StoppedProcessList(const StoppedProcessList&) = delete;
  StoppedProcessList& operator=(const StoppedProcessList&) = delete;

  // Takes the strategy into a new front node. When the node cannot be
  // allocated the strategy is freed and the result is false.
  bool PushFront(std::unique_ptr<ExitStrategy> strategy) noexcept;
  // Frees every strategy, front to back.
  void Clear() noexcept;

  size_t Size() const;
  // The strategy at `index` counted from the front; null past the end.
  ExitStrategy* At(size_t index) const;

 private:
  struct Node {
    std::unique_ptr<ExitStrategy> strategy;
    Node* next;
  };
  Node* head_ = nullptr;
};
