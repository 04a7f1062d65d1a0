#pragma once
// Each window exists once, is reached through one accessor (T::Get()), is created
// on first use and destroyed when unloaded, however it closes. Loaded windows are
// listed by name.
#include <QCloseEvent>
#include <QDialog>
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

namespace detail {

// What a window kind does when a showing ends without a close event.
template <class Base>
class FormShell : public Base {
protected:
  FormShell() : Base(nullptr) {}
  virtual void Finished() = 0;
};

// Escape, and a dialog's own OK and Cancel, end a dialog through done(), which
// closes it with its close event swallowed and its system window destroyed: a later
// close() then reaches nothing. The dialog is unloaded there instead, so the next
// opening starts afresh.
template <>
class FormShell<QDialog> : public QDialog {
public:
  void done(int r) override {
    QDialog::done(r);
    Finished();
  }

protected:
  FormShell() : QDialog(nullptr) {}
  virtual void Finished() = 0;
};

}  // namespace detail

// Base of every window: Derived names itself with a static constexpr FormName and
// may override Form_Load (run once after construction) and Form_Unload (run once
// when the window goes; set cancel to keep it). Base is QWidget or QDialog.
template <class Derived, class Base = QWidget>
class Form : public detail::FormShell<Base> {
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
  // Closes the window (its Form_Unload runs) and destroys it, shown or hidden.
  static void Unload() {
    if (!instance_) return;
    if (instance_->isVisible())
      instance_->close();
    else
      instance_->UnloadNow();
  }

  virtual void Form_Load() {}
  virtual void Form_Unload(bool& cancel) { (void)cancel; }

protected:
  Form() = default;
  ~Form() override { Release(); }

  void closeEvent(QCloseEvent* e) override {
    if (!UnloadNow()) {
      e->ignore();
      return;
    }
    e->accept();
    Base::closeEvent(e);
  }

  void Finished() override { UnloadNow(); }

private:
  // Runs Form_Unload once and, unless it keeps the window, lets the window go.
  bool UnloadNow() {
    if (instance_ != this) return true;
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel) return false;
    Release();
    this->deleteLater();
    return true;
  }
  void Release() {
    if (instance_ == this) {
      FormRegistry::Remove(this);
      instance_ = nullptr;
    }
  }
  static inline Derived* instance_ = nullptr;
};

}  // namespace qm
