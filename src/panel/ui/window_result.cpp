// Opening the result view after a successful automatic layout.

#include "panel/ui/size_wariate.h"

namespace tvx::panel {

void SizeWariate::OpenResultView() {
    if (resultViewer_) {
        resultViewer_();
        return;
    }
    // INTEGRATION POINT: the result view "一覧表示" of the panel output opens here, modally,
    // on job_, layoutInput_ and layoutResult_, with its "保存" calling Save_Data().
}

}  // namespace tvx::panel
