#pragma once

#include "widgets/peer.h"

namespace velmora::widgets::win32 {

// Makes the Win32 peer of each kind of component.
class Win32PeerFactory : public PeerFactory {
 public:
  std::unique_ptr<Peer> make(Form&) override;
  std::unique_ptr<Peer> make(Panel&) override;
  std::unique_ptr<Peer> make(GroupBox&) override;
  std::unique_ptr<Peer> make(Splitter&) override;
  std::unique_ptr<Peer> make(PageControl&) override;
  std::unique_ptr<Peer> make(TabSheet&) override;
  std::unique_ptr<Peer> make(Label&) override;
  std::unique_ptr<Peer> make(IconImage&) override;
  std::unique_ptr<Peer> make(Button&) override;
  std::unique_ptr<Peer> make(CheckBox&) override;
  std::unique_ptr<Peer> make(Edit&) override;
  std::unique_ptr<Peer> make(Memo&) override;
  std::unique_ptr<Peer> make(ComboBox&) override;
  std::unique_ptr<Peer> make(ProgressBar&) override;
  std::unique_ptr<Peer> make(StatusBar&) override;
  std::unique_ptr<Peer> make(ListView&) override;
  std::unique_ptr<Peer> make(SpinEdit&) override;
  std::unique_ptr<Peer> make(MainMenu&) override;
  std::unique_ptr<Peer> make(PopupMenu&) override;
  std::unique_ptr<Peer> make(TrayIcon&) override;
  std::unique_ptr<Peer> make(TreeView&) override;
};

}  // namespace velmora::widgets::win32
