#include <algorithm>
#include <vector>

#include "core/frame.h"

namespace {

struct ExitStep {
  int order;
  void (*step)();
};

std::vector<ExitStep>& Steps() {
  static std::vector<ExitStep> steps;
  return steps;
}

}  // namespace

void __AtProcessExit(int order, void (*step)()) {
  for (const ExitStep& s : Steps()) {
    if (s.step == step) return;
  }
  Steps().push_back({order, step});
  std::stable_sort(Steps().begin(), Steps().end(),
                   [](const ExitStep& a, const ExitStep& b) { return a.order < b.order; });
}

void __RunProcessExitSteps() {
  // Each step runs once even if a step ends the process again.
  std::vector<ExitStep> steps;
  steps.swap(Steps());
  for (const ExitStep& s : steps) s.step();
}
