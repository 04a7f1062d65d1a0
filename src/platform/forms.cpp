#include "platform/forms.h"

#include <algorithm>

namespace qm {
namespace {
std::vector<LoadedForm>& Forms() {
  static std::vector<LoadedForm> forms;
  return forms;
}
}  // namespace

void FormRegistry::Add(QWidget* w, const std::string& name) { Forms().push_back({w, name}); }

void FormRegistry::Remove(QWidget* w) {
  auto& f = Forms();
  f.erase(std::remove_if(f.begin(), f.end(), [w](const LoadedForm& x) { return x.widget == w; }), f.end());
}

std::vector<LoadedForm> FormRegistry::Loaded() { return Forms(); }

bool FormRegistry::IsLoaded(const std::string& name) {
  for (const auto& f : Forms())
    if (f.name == name) return true;
  return false;
}

}  // namespace qm
