#pragma once
// The dialogs both main windows show around job files: the open and save file dialogs, the
// question before a changed job is discarded, and the box that reports a failed save.

#include <QString>
#include <functional>

class QWidget;

namespace tvx::gui {

inline constexpr const char* kSavePromptText = "変更を保存しますか？";

// The open (save false) or save dialog over the job-file filters, starting in `folder` with
// `fileName` filled in; the save dialog asks before replacing a file. Empty when cancelled.
QString RunJobFileDialog(QWidget* owner, bool save, const QString& folder, const QString& fileName);

// "変更を保存しますか？" with "保存", "保存しない" and "キャンセル" (Escape cancels).
enum class SaveAnswer { kSave, kDiscard, kCancel };
SaveAnswer AskToSaveChanges(QWidget* owner, const QString& programName);
// What a command that discards the job does with the answer: after "保存" it goes on only when
// `save` saved; after "保存しない" it goes on; after "キャンセル" it stops. True: go on.
bool GoOnAfterAnswer(SaveAnswer answer, const std::function<bool()>& save);

// "保存できませんでした。" with the reason the system gave, in a warning box.
QString SaveFailureText(const QString& reason);
void ShowSaveFailure(QWidget* owner, const QString& programName, const QString& reason);

}  // namespace tvx::gui
