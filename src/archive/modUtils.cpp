#include "archive/modUtils.h"

#include <algorithm>

#include "platform/forms.h"
#include "platform/ui_runtime.h"

int OpenWithShell(const std::string& Path, int ShowCmd) {
  (void)ShowCmd;  // the desktop decides how the document's program shows itself
  return qm::ShellOpen(Path);
}

void UnloadOtherForms(const std::string& FormName) {
  for (const qm::LoadedForm& form : qm::FormRegistry::Loaded()) {
    if (form.name == FormName) continue;
    // An earlier window's unloading may have unloaded this one already.
    const auto loaded = qm::FormRegistry::Loaded();
    const bool still = std::any_of(loaded.begin(), loaded.end(),
                                   [&](const qm::LoadedForm& f) { return f.widget == form.widget; });
    if (still) form.widget->close();
  }
}
