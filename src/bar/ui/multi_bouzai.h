#pragma once
// "複数 棒材": up to six stock lengths with price and count limit, and the catalogue of stock
// bars ("Bouzailist.txt") whose lines fill a row on a double-click. Created once and reused;
// every opening empties the eighteen boxes and fills them from the job.

#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "bar/model/bar_job.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tvx::gui {
class CatalogueStore;
}

namespace tvx::bar {

inline constexpr int kMultiBouzaiHelpContext = 42;
inline constexpr int kMultiBouzaiRows = 6;

class MultiBouzai : public QDialog {
    Q_OBJECT
  public:
    // The columns of the stock rows, as indexes of box().
    static constexpr int kLengthColumn = 0;
    static constexpr int kPriceColumn = 1;
    static constexpr int kCountColumn = 2;

    // `cataloguePath` is where the user's catalogue lives and is written; `shippedPath` is
    // read instead while the user has none yet. Empty paths use the defaults.
    explicit MultiBouzai(BarJob& job, QWidget* parent = nullptr,
                         const QString& cataloguePath = QString(),
                         const QString& shippedPath = QString());
    ~MultiBouzai() override;

    // Empties every box and fills the rows from the job's stock table, reloads the catalogue
    // and closes the entry boxes. Done on every showing; exec() is the way to open.
    void LoadFromJob();

    // The buttons and the list.
    bool Apply();                // "もどる": false (and the dialog stays) when a box is refused
    void DeleteStockRow();       // "１行削除"
    void AddEntry();             // "追加登録"
    void StoreEntry();           // "登録"
    void CancelEntry();          // "取消"
    void DeleteEntry();          // "削除"
    void PickLine(int listRow);  // double-click on a catalogue line

    int pickRow() const { return pickRow_; }
    bool adding() const { return adding_; }
    QLineEdit* box(int row, int column) const;
    QLineEdit* entryBox(int field) const { return entry_[static_cast<std::size_t>(field)]; }
    QListWidget* stockList() const { return list_; }
    QLabel* messageLabel() const { return message_; }
    const std::vector<std::string>& catalogueLines() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void RefreshList();
    void ShowEntryBoxes(bool shown);
    bool StockKey(int row, int column, int key);
    bool EntryKey(int field, int key);
    void FocusBox(int row, int column);
    void Refuse(QLineEdit* box, const char* message);
    int SelectedLine() const;  // -1 for none or the end line

    BarJob& job_;
    std::unique_ptr<gui::CatalogueStore> catalogue_;
    int pickRow_ = 0;
    bool adding_ = false;

    std::array<std::array<QLineEdit*, 3>, kMultiBouzaiRows> boxes_{};
    std::array<QLineEdit*, 3> entry_{};
    std::array<QLabel*, 3> entryLabels_{};
    QListWidget* list_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QPushButton* deleteRowButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* storeButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

}  // namespace tvx::bar
