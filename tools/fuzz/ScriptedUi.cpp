#include "tools/fuzz/ScriptedUi.h"

namespace {

class ScriptedStringDialog final : public TStringDialogBase {
 public:
  explicit ScriptedStringDialog(const std::string& answer) : answer_(answer) {}
  std::string Execute(const std::string&, const std::string&) override { return answer_; }

 private:
  const std::string& answer_;  // not owned: the ScriptedUi's current answer
};

}  // namespace

std::unique_ptr<TStringDialogBase> ScriptedUi::NewStringDialog() {
  return std::make_unique<ScriptedStringDialog>(answer_);
}

void ScriptedUi::ShowMessage(const std::string& text) { messages_ << text << '\n'; }
