#include "scene/Exception.h"

#include <new>

#include "scene/Windows1251.h"

std::string Exception::Shown() const { return Utf8FromWindows1251(Message); }

std::string FailureMessage(const std::exception& failure) {
  if (const auto* own = dynamic_cast<const Exception*>(&failure)) return own->Message;
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return "Out of memory";
  return failure.what();
}
