#pragma once
// Error-handling styles of the procedures: run a statement and pass over a runtime
// failure ("resume next"), used where a procedure ignores errors statement by statement.
#include <new>

#include "platform/runtime_error.h"

namespace qm {

// Memory running out in one statement (a file too large to hold) fails that
// statement as any runtime error does, instead of ending the program.
template <class F>
bool ResumeNext(F&& statement) {
  try {
    statement();
    return true;
  } catch (const RuntimeError&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace qm
