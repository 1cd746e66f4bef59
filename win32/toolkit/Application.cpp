#include "toolkit/Application.h"

#include "toolkit/Form.h"

namespace toolkit {

int Application::Run() const {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) HandleQueuedMessage(msg);
  return static_cast<int>(msg.wParam);
}

}  // namespace toolkit
