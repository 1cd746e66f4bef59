#include "tools/scene2/StandardOutputBuffer.h"

StandardOutputBuffer::int_type StandardOutputBuffer::overflow(int_type c) {
  if (!Flush()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

bool StandardOutputBuffer::Flush() {
  const std::string_view held(pbase(), static_cast<size_t>(pptr() - pbase()));
  setp(buffer_, buffer_ + sizeof buffer_);
  if (failed_) return false;
  if (os::Status written = os::WriteStandard(stream_, held); !written.ok()) failed_ = written.failure();
  return !failed_;
}
