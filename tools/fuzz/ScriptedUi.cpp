#include "tools/fuzz/ScriptedUi.h"

#include <utility>

namespace {

class ScriptedStringDialog final : public TStringDialogBase {
 public:
  explicit ScriptedStringDialog(std::string& answer) : answer_(answer) {}
  // The answer once: a dialog that comes back after a refusal is cancelled.
  std::string Execute(const std::string&, const std::string&) override { return std::exchange(answer_, {}); }

 private:
  std::string& answer_;  // not owned: the ScriptedUi's current answer
};

}  // namespace

std::unique_ptr<TStringDialogBase> ScriptedUi::NewStringDialog() {
  return std::make_unique<ScriptedStringDialog>(answer_);
}

void ScriptedUi::ShowMessage(const std::string& text) { messages_ << text << '\n'; }
