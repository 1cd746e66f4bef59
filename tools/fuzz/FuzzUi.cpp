#include "tools/fuzz/FuzzUi.h"

namespace {

class AnsweringStringDialog final : public TStringDialogBase {
 public:
  explicit AnsweringStringDialog(const std::string& answer) : answer_(answer) {}
  std::string Execute(const std::string&, const std::string&) override { return answer_; }

 private:
  const std::string& answer_;  // not owned: the FuzzUi's current answer
};

}  // namespace

std::unique_ptr<TOverwriteDialogBase> FuzzUi::NewOverwriteDialog() { return std::make_unique<TOverwriteDialogBase>(); }

std::unique_ptr<TStringDialogBase> FuzzUi::NewStringDialog() {
  return std::make_unique<AnsweringStringDialog>(answer_);
}
