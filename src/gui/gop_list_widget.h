// The GOP list: a list view over the list lines that stays quick with 131,071 lines,
// with extended selection, a caret of its own and the size label beneath it.
#pragma once

#include <QAbstractListModel>
#include <QLabel>
#include <QListView>
#include <string>
#include <vector>

#include "ui/gop_list_view.h"

namespace velmorin::gui {

class GopListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;

    // Appends many lines at once: one insertion for the view to lay out, not one per line.
    void append(std::vector<std::string>& lines);
    void clear();
    void replace(int row, const std::string& line);
    const std::string& line(int row) const { return lines_[static_cast<std::size_t>(row)]; }

private:
    std::vector<std::string> lines_;
};

class GopListWidget : public GopListView {
public:
    // Takes over `view` (the list control of the main dialog) and `sizeLabel`.
    GopListWidget(QListView* view, QLabel* sizeLabel);

    void append(const std::string& line) override;
    void clear() override;
    int count() const override { return model_->rowCount() + static_cast<int>(pending_.size()); }
    std::string line(int index) const override;
    void replaceLine(int index, const std::string& line) override;
    int caretLine() const override;
    void setCaretLine(int index) override;
    std::vector<int> selectedLines() const override;
    void select(int index) override;
    void clearSelection() override;
    int topLine() const override;
    void scrollToTop(int index) override;
    void focus() override;
    void setSizeLabel(const std::string& text) override;

    QListView* view() const { return view_; }
    // Hands the lines appended since the last time to the view.
    void flush() const;
    // True while the program itself changes the selection: such changes do not count as
    // the user's.
    bool changingByProgram() const { return programChange_ > 0; }

private:
    QListView* view_;
    QLabel* sizeLabel_;
    GopListModel* model_;
    int programChange_ = 0;
    // Lines appended while a scan runs reach the view in batches.
    mutable std::vector<std::string> pending_;
};

}  // namespace velmorin::gui
