#pragma once
// "複数パネルサイズ": up to five stock panel sizes with price and sheet limit, and the
// catalogue of named stock panels they can be copied from.

#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "panel/model/panel_job.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tvx::gui {
class CatalogueStore;
}

namespace tvx::panel {

inline constexpr int kMultiPanelHelpContext = 24;
inline constexpr int kMultiPanelRows = 5;

class MultiPanel : public QDialog {
    Q_OBJECT
  public:
    enum class EditorMode { Closed = 0, Adding = 1, Modifying = 3 };

    // `cataloguePath` is where the user's catalogue lives and is written; `shippedPath` is
    // read instead while the user has none yet. Empty paths use the defaults.
    MultiPanel(PanelJob& job, QWidget* parent = nullptr, const QString& cataloguePath = QString(),
               const QString& shippedPath = QString());
    ~MultiPanel() override;

    // The user's catalogue: "Panellist.txt" in the user's data folder for Tavolex.
    static QString UserCataloguePath();
    // The catalogue shipped with the program (in its shipped folder, see shipped_files.h).
    static QString ShippedCataloguePath();

    // Buttons and list.
    void Apply();                 // "もどる"; refused while a box holds no number
    void DeleteGridRow();         // "１行削除"
    void AddEntry();              // "追加登録"
    void ModifyEntry();           // "修正"
    void DeleteEntry();           // "削除"
    void SaveEntry();             // "登録"
    void CancelEditor();          // "取消"
    void CopyEntry(int listRow);  // double-click on a catalogue line

    // For tests.
    QLineEdit* gridBox(int row, int column) const;
    QLineEdit* descriptionBox() const { return editorBoxes_[0]; }
    QLineEdit* editorBox(int i) const { return editorBoxes_[static_cast<std::size_t>(i)]; }
    QListWidget* catalogueList() const { return list_; }
    QLabel* messageLabel() const { return message_; }
    QPushButton* saveEntryButton() const { return saveEntryButton_; }
    int currentRow() const { return currentRow_; }
    EditorMode editorMode() const { return mode_; }
    const std::vector<std::string>& catalogueLines() const;
    bool catalogueWritable() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Says "数値を入力してください。" and puts the focus in the first box that holds text that is
    // not a number; false when every box holds a number.
    bool RefuseNonNumbers();
    void BuildControls();
    void FillGrid();
    void LoadCatalogue();
    bool WriteCatalogue();
    void RefreshList();
    void OpenEditor(EditorMode mode);
    bool GridKey(int row, int column, int key);
    bool EditorKey(int field, int key);
    int SelectedLine() const;  // -1 for none or the end marker
    void FocusGrid(int row, int column);
    void PaintLimitBoxes();
    void CloseEditor();

    PanelJob& job_;
    std::unique_ptr<gui::CatalogueStore> catalogue_;
    int currentRow_ = 0;
    EditorMode mode_ = EditorMode::Closed;
    int modifyIndex_ = -1;

    std::array<std::array<QLineEdit*, 4>, kMultiPanelRows> grid_{};
    std::array<QLineEdit*, 4> editorBoxes_{};
    std::array<QLabel*, 4> editorLabels_{};
    QListWidget* list_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* deleteRowButton_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* modifyButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* saveEntryButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

}  // namespace tvx::panel
