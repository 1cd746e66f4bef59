#include "scene/Exception.h"

#include <new>

std::string FailureMessage(const std::exception& failure) {
  if (const auto* own = dynamic_cast<const Exception*>(&failure)) return own->Message;
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return "Out of memory";
  return failure.what();
}
