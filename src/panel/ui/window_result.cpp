// Opening the result view after a successful automatic layout, with "修正" opening the
// manual layout editor on it.

#include <QFileInfo>

#include "common/gui/help_viewer.h"
#include "panel/output/result_view.h"
#include "panel/ui/manual_wariate.h"
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
    // "修正": the editor works on a copy of the layout; the view then shows the edited one.
    hooks.modify = [this] {
        ManualEditorHooks editorHooks;
        editorHooks.save = [this] { Save_Data(); };
        ManualEditorOutcome outcome = RunManualEditor(job_, layoutInput_, ManualMode::Modification,
                                                      layoutResult_, std::move(editorHooks), this);
        layoutResult_ = std::move(outcome.layout);
        return outcome.partsRemain;
    };
    hooks.optimizeVerdict = optimizeVerdict_;
    hooks.documentName = QFileInfo(currentFile_).fileName();
    const std::string titleBefore = job_.jobTitle;
    ResultView view(job_, layoutInput_, layoutResult_, hooks, this);
    view.exec();
    if (job_.jobTitle != titleBefore) SetModified();
}

}  // namespace tvx::panel
