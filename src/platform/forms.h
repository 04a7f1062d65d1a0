#pragma once
// Each window exists once, is reached through one accessor (T::Get()), is created
// on first use and destroyed when unloaded. Loaded windows are listed by name.
#include <QCloseEvent>
#include <QWidget>
#include <string>
#include <vector>

namespace qm {

struct LoadedForm {
  QWidget* widget;
  std::string name;
};

class FormRegistry {
public:
  static void Add(QWidget* w, const std::string& name);
  static void Remove(QWidget* w);
  static std::vector<LoadedForm> Loaded();
  static bool IsLoaded(const std::string& name);
};

// Base of every window: Derived names itself with a static constexpr FormName and
// may override Form_Load (run once after construction) and Form_Unload (run when the
// window closes; set cancel to keep it). Base is QWidget or QDialog.
template <class Derived, class Base = QWidget>
class Form : public Base {
public:
  static Derived& Get() {
    if (!instance_) {
      instance_ = new Derived();
      FormRegistry::Add(instance_, Derived::FormName);
      instance_->Form_Load();
    }
    return *instance_;
  }
  static bool IsLoaded() { return instance_ != nullptr; }
  // Closes the window (its Form_Unload runs) and destroys it.
  static void Unload() {
    if (instance_) instance_->close();
  }

  virtual void Form_Load() {}
  virtual void Form_Unload(bool& cancel) { (void)cancel; }

protected:
  Form() : Base(nullptr) {}
  ~Form() override { Release(); }

  void closeEvent(QCloseEvent* e) override {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) {
      e->ignore();
      return;
    }
    e->accept();
    Base::closeEvent(e);
    Release();
    this->deleteLater();
  }

private:
  void Release() {
    if (instance_ == this) {
      FormRegistry::Remove(this);
      instance_ = nullptr;
    }
  }
  static inline Derived* instance_ = nullptr;
};

}  // namespace qm
