// A report-view list of rows looked up by key: the item text in the first column, keyed
// sub-items in the columns that show them, a small icon, a tip. A row whose key is empty or
// already in the list (letter case ignored) is refused and the fill goes on; the first refusal
// of a fill (since the last Clear) is reported. Rows nobody looks up are added without a key.
// A click on a column header sorts by that column and flips the order on every click (the
// first sorts descending), comparing text unless the column has a comparator of its own.
#pragma once
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Control.h"
#include "KeyRegister.h"

namespace skx {

class KeyedListView : public Control {
public:
    using Control::Control;

    struct Column {
        std::string Key;
        std::string Caption;
        int Width = 100;  // pixels
        std::string SubItemKey = {};  // the rows' sub-item shown in the column; empty: Key
    };
    struct Item {
        std::string Key;   // empty for rows added without one
        std::string Text;
        int SmallIcon = 0;  // image of the small-icon list, from 1; 0 none
        std::string ToolTip;
        std::vector<std::pair<std::string, std::string>> SubItems;  // sub-item key, text
        std::string SubItem(const std::string& subItemKey) const;
    };
    // Compares two texts of a column: below 0, 0, above 0.
    using Comparator = std::function<int(const std::string&, const std::string&)>;

    void SetColumns(std::vector<Column> columns);
    const std::vector<Column>& Columns() const { return columns_; }
    // A column's own comparison (for example by number) in place of the text comparison.
    void SetComparator(const std::string& columnKey, Comparator compare);

    int Count() const { return static_cast<int>(items_.size()); }
    // 1-based; an index outside the list raises 35600.
    const Item& ItemAt(int index) const;
    // The row of a key (letter case ignored), 0 when there is none.
    int IndexOf(const std::string& key) const;
    bool Exists(const std::string& key) const { return IndexOf(key) != 0; }

    // Appends a row; its index, or 0 when the key was refused.
    int Add(const std::string& key, const std::string& text, int smallIcon = 0);
    int AddUnkeyed(const std::string& text, int smallIcon = 0);
    void SetText(int index, const std::string& text);
    void SetSubItem(int index, const std::string& subItemKey, const std::string& text);
    void SetSmallIcon(int index, int smallIcon);
    void SetToolTip(int index, const std::string& tip);
    void Remove(int index);
    // Empties the list; a new fill begins.
    void Clear();
    // While a Batch lives the list does not redraw; it shows the rows once at the end (a
    // visible list would otherwise paint after every row).
    class Batch {
    public:
        explicit Batch(KeyedListView& list);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        HWND hwnd_;
    };

    // The first selected row, 0 when none.
    int SelectedIndex() const;
    std::vector<int> SelectedIndexes() const;
    bool IsSelected(int index) const;
    // Selects only that row (0: none), as the program does: no click handler runs.
    void Select(int index);
    void SetSelected(int index, bool selected);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);

    // The icons of the rows (the list does not own it).
    void SetSmallIcons(HIMAGELIST images);

    // Sorts by a column (0 the item text) in the given order; SortColumn/SortDescending tell
    // the sort in force.
    void Sort(int column, bool descending);
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return descending_; }

    // The user clicked a row (not a refill or the program's selection); 1-based.
    std::function<void(int index)> ItemClick;
    // After a header click has sorted the list.
    std::function<void(int column)> ColumnClick;
    // A row's rectangle in the list's client area (for clicks made by tools).
    RECT ItemRect(int index) const;

    bool OnNotify(const NMHDR& hdr, LRESULT& result) override;

protected:
    void OnCreated() override;

private:
    // The column showing a sub-item key, -1 when none does.
    int ColumnOf(const std::string& subItemKey) const;
    const std::string& SubItemKeyOf(size_t column) const;
    int Append(Item item);
    void ShowRow(int index, bool inserting);
    void Reindex();
    void ApplyStyle();

    std::vector<Column> columns_;
    std::unordered_map<std::string, Comparator> comparators_;
    std::vector<Item> items_;
    std::vector<bool> selected_;  // while there is no window
    KeyRegister keys_;  // key -> row
    HIMAGELIST smallIcons_ = nullptr;
    bool multiSelect_ = false;
    int sortColumn_ = 0;
    bool descending_ = false;
};

}  // namespace skx
