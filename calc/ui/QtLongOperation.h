#pragma once

#include "calc/MultibyteCalculator.h"

// Runs the calculator's long operations on a worker thread. Until it ends,
// the program shows the busy cursor and takes no input but Esc, which
// cancels the operation.
class QtLongOperationRunner : public LongOperationRunner {
  public:
    bool run(const std::function<void(const multibyte::CancelFlag&)>& work) override;
};
