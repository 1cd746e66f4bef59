#include "toolkit/ProgressWindow.h"

namespace toolkit {
namespace {

using namespace std::chrono_literals;

constexpr auto kShowAfter = 1s;
// Often enough that Cancel answers at once, seldom enough to cost nothing.
constexpr auto kRefreshEvery = 50ms;
constexpr int kBarSteps = 1000;

}  // namespace

ProgressWindow::ProgressWindow(HWND owner, std::string caption, std::string counted)
    : owner_(owner),
      caption_(std::move(caption)),
      counted_(std::move(counted)),
      start_(std::chrono::steady_clock::now()) {}

ProgressWindow::~ProgressWindow() {
  // The owner takes input again before the window goes, so that it is the
  // one made active.
  ownerDisabled_.reset();
}

bool ProgressWindow::Report(size_t done, size_t total) {
  const auto now = std::chrono::steady_clock::now();
  if (!form_) {
    if (now - start_ < kShowAfter) return true;
    Show();
  } else if (now - lastShown_ < kRefreshEvery) {
    return !cancelled_;
  }
  lastShown_ = now;
  count_->SetText(std::to_string(done) + " of " + std::to_string(total) + " " + counted_);
  bar_->SetPosition(total == 0 ? 0 : static_cast<int>(done * kBarSteps / total));
  HandleWaitingMessages();
  return !cancelled_;
}

void ProgressWindow::Show() {
  form_ = std::make_unique<Form>(FormArgs{.caption = caption_,
                                          .centred = true,
                                          .client = {320, 96},
                                          .border = FormBorder::Dialog,
                                          .closeCommand = false,
                                          .owner = owner_});
  count_ = std::make_unique<Label>(*form_, LabelArgs{.position = {12, 12}});
  bar_ = std::make_unique<ProgressBar>(*form_, ProgressBarArgs{.bounds = {12, 34, 296, 0}, .maximum = kBarSteps});
  cancel_ = std::make_unique<Button>(
      *form_, ButtonArgs{.text = "Cancel", .bounds = {232, 62, 76, 24}, .role = ButtonRole::Cancel, .onClick = [this] {
                           cancelled_ = true;
                         }});
  ownerDisabled_.emplace(owner_);
  form_->Show();
  SetFocus(cancel_->Handle());
}

void ProgressWindow::HandleWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // For the loop outside, once the command has stopped.
      PostQuitMessage(static_cast<int>(msg.wParam));
      cancelled_ = true;
      return;
    }
    HandleQueuedMessage(msg);
  }
}

}  // namespace toolkit
