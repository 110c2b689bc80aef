#include "windows/owned_windows.h"

namespace shell {

void CloseOwnedWindows(WindowDirectory& windows) {
    for (WindowKind kind : {WindowKind::frmAbout, WindowKind::FrmBulle, WindowKind::frmPrem,
                            WindowKind::frmTransPicture, WindowKind::FrmTrombonne}) {
        WindowObject* object = windows.object(kind);
        if (object && object->isLoaded())
            object->unload();
    }
}

} // namespace shell
