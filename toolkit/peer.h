// The native side of the model. A control without a peer is headless: the model alone holds its
// state, which is how the portable tests run the code that ships. A peer reads what it needs
// from its control when told which property changed; native events go the other way, through
// the control's own setters, so the model is updated first and the handler runs after.
#pragma once

#include <memory>

#include "platform/desktop.h"
#include "platform/hot_key.h"
#include "toolkit/geometry.h"

namespace vfx::toolkit {

class Control;
class Form;
class Menu;
class MenuItem;
struct MenuPlace;

enum class Property {
  kCaption,  // caption, or a text box's text
  kValue,
  kEnabled,
  kVisible,
  kFont,
  kColours,
  kBounds,
  kFocus,
  kWindowState,
  kDefaultButton,
  kPicture,
  kAccessibleName,
  kLook,  // a text box's characters' looks, or whether they show
};

class Peer {
 public:
  virtual ~Peer() = default;
  virtual void Changed(Property property) = 0;
  virtual platform::WindowHandle native_handle() const = 0;
};

class FormPeer : public Peer {
 public:
  // What the window system adds to the client area (caption and borders), in twips.
  virtual Size non_client_size() const = 0;
  // Destroys the window and every control in it. The peers themselves stay until the model goes,
  // since the handler that unloads may be running inside one of them.
  virtual void Destroy() = 0;
  // A one-shot timer; the peer calls Form::native_timer_elapsed with the id.
  virtual void StartTimer(int id, double seconds) = 0;
  virtual void StopTimer(int id) = 0;
  // A key for the whole desktop, pressed in any program (RegisterHotKey, without repeats while
  // it is held); the peer calls Form::native_hot_key with the id. False when another program
  // holds the key.
  virtual bool RegisterHotKey(int id, const platform::HotKey& key) = 0;
  virtual void UnregisterHotKey(int id) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<FormPeer> CreateFormPeer(Form& form) = 0;
  // The control's container already has its peer.
  virtual std::unique_ptr<Peer> CreatePeer(Control& control) = 0;
  // Shows `menu` as the context menu of `over` (null: of the form itself) and returns once it has
  // closed: the item the user chose, or null. From the keyboard it opens at the control's place.
  // Menus come and go with each showing, so they need no peer of their own.
  virtual const MenuItem* TrackMenu(Form& form, const Control* over, const Menu& menu,
                                    const MenuPlace& where) = 0;
};

}  // namespace vfx::toolkit
