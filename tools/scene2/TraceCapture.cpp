#include "tools/scene2/TraceCapture.h"

std::vector<std::string> TraceCapture::TakeLines() {
  keeping_ = false;
  line_.clear();
  std::vector<std::string> lines;
  lines.swap(lines_);
  return lines;
}

void TraceCapture::Write(std::string_view bytes) {
  if (stream_ != nullptr) stream_->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!keeping_) return;
  line_ += bytes;
  for (size_t end; (end = line_.find("\r\n")) != std::string::npos; line_.erase(0, end + 2))
    lines_.push_back(line_.substr(0, end));
}

std::string LoadFailureReason(const std::vector<std::string>& lines) {
  constexpr std::string_view kPrefix = "qScene2bin.ReadFromFile: ";
  if (lines.empty()) return "the scene model gave no reason";
  std::string_view last = lines.back();
  if (last.starts_with(kPrefix)) last.remove_prefix(kPrefix.size());
  if (last.starts_with(kPrefix) && lines.size() >= 2) return lines[lines.size() - 2];
  return std::string(last);
}
