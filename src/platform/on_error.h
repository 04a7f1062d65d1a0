#pragma once
// Error-handling styles of the procedures: run a statement and pass over a runtime
// failure ("resume next"), used where a procedure ignores errors statement by statement.
#include "platform/runtime_error.h"

namespace qm {

template <class F>
bool ResumeNext(F&& statement) {
  try {
    statement();
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace qm
