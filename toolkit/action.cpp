#include "toolkit/action.h"

#include "toolkit/access_key.h"
#include "toolkit/form.h"

namespace vfx::toolkit {

Action::Action(Kind kind, std::string caption, std::function<void()> onActivation)
    : on_activation(std::move(onActivation)), kind_(kind), caption_(std::move(caption)) {}

Action::Action(Form& form, Kind kind, std::string caption, std::function<void()> onActivation)
    : Action(kind, std::move(caption), std::move(onActivation)) {
  form_ = &form;
  id_ = form.add_action(*this);
}

Action::~Action() {
  if (!form_) return;
  ReleaseKey();
  form_->remove_action(*this);
}

std::string Action::accessible_name() const { return WithoutAccessKeys(caption_); }

void Action::set_enabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled)
    RegisterKey();
  else
    ReleaseKey();
}

void Action::set_checked(bool checked) {
  if (kind_ != Kind::kCommand) checked_ = checked;
}

void Action::set_global_key(const platform::HotKey& key) {
  if (key == key_) return;
  ReleaseKey();
  key_ = key;
  RegisterKey();
}

bool Action::activate() {
  if (!enabled_) return false;
  if (kind_ == Kind::kCheck) checked_ = !checked_;
  if (kind_ == Kind::kRadio) checked_ = true;
  // A copy: the handler may well destroy the action it came from.
  const std::function<void()> handler = on_activation;
  if (handler) handler();
  return true;
}

void Action::RegisterKey() {
  if (form_ && enabled_ && !held_ && !key_.empty()) held_ = form_->register_hot_key(id_, key_);
}

void Action::ReleaseKey() {
  if (held_) form_->release_hot_key(id_);
  held_ = false;
}

}  // namespace vfx::toolkit
