// Opening the result view after a successful automatic layout.

#include "common/gui/help_viewer.h"
#include "panel/output/result_view.h"
#include "panel/ui/size_wariate.h"

namespace tvx::panel {

void SizeWariate::OpenResultView() {
    if (resultViewer_) {
        resultViewer_();
        return;
    }
    ResultViewHooks hooks;
    hooks.save = [this] { Save_Data(); };
    hooks.help = [](int context) { gui::HelpViewer::Instance().ShowTopic(context); };
    hooks.optimizeVerdict = optimizeVerdict_;
    // "修正" stays disabled until the manual layout editor exists.
    ResultView view(job_, layoutInput_, layoutResult_, hooks, this);
    view.exec();
}

}  // namespace tvx::panel
