#include "widgets/win32/peer_factory.h"

#include "widgets/win32/container_peers.h"
#include "widgets/win32/form_peer.h"
#include "widgets/win32/icon_image_peer.h"
#include "widgets/win32/list_view_peer.h"
#include "widgets/win32/menu_peers.h"
#include "widgets/win32/page_control_peer.h"
#include "widgets/win32/spin_edit_peer.h"
#include "widgets/win32/standard_peers.h"
#include "widgets/win32/tray_icon_peer.h"

namespace velmora::widgets::win32 {

std::unique_ptr<Peer> Win32PeerFactory::make(Form& c) { return std::make_unique<FormPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(Panel& c) { return std::make_unique<PanelPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(GroupBox& c) { return std::make_unique<GroupBoxPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(Splitter& c) { return std::make_unique<SplitterPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(PageControl& c) { return std::make_unique<PageControlPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(TabSheet& c) { return std::make_unique<TabSheetPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(Label& c) { return std::make_unique<LabelPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(IconImage& c) { return std::make_unique<IconImagePeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(Button& c) { return std::make_unique<ButtonPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(CheckBox& c) { return std::make_unique<CheckBoxPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(Edit& c) { return std::make_unique<EditPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(Memo& c) { return std::make_unique<MemoPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(ComboBox& c) { return std::make_unique<ComboBoxPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(ProgressBar& c) { return std::make_unique<ProgressBarPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(StatusBar& c) { return std::make_unique<StatusBarPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(ListView& c) { return std::make_unique<ListViewPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(SpinEdit& c) { return std::make_unique<SpinEditPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(MainMenu& c) { return std::make_unique<MainMenuPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(PopupMenu& c) { return std::make_unique<PopupMenuPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(TrayIcon& c) { return std::make_unique<TrayIconPeer>(c); }
std::unique_ptr<Peer> Win32PeerFactory::make(TreeView& c) { return std::make_unique<TreeViewPeer>(c); }

}  // namespace velmora::widgets::win32
