#include "gop_list_widget.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTimer>

namespace velmorin::gui {

QVariant GopListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return QString::fromStdString(lines_[static_cast<std::size_t>(index.row())]);
}

void GopListModel::append(std::vector<std::string>& lines) {
    if (lines.empty()) return;
    const int row = rowCount();
    beginInsertRows({}, row, row + static_cast<int>(lines.size()) - 1);
    lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()),
                  std::make_move_iterator(lines.end()));
    endInsertRows();
    lines.clear();
}

void GopListModel::clear() {
    beginResetModel();
    lines_.clear();
    endResetModel();
}

void GopListModel::replace(int row, const std::string& line) {
    lines_[static_cast<std::size_t>(row)] = line;
    emit dataChanged(index(row), index(row));
}

namespace {

// Counts the program's own selection changes while it lives.
class ProgramChange {
public:
    explicit ProgramChange(int& depth) : depth_(depth) { ++depth_; }
    ~ProgramChange() { --depth_; }

private:
    int& depth_;
};

}  // namespace

GopListWidget::GopListWidget(QListView* view, QLabel* sizeLabel)
    : view_(view), sizeLabel_(sizeLabel), model_(new GopListModel(view)) {
    view_->setModel(model_);
    view_->setUniformItemSizes(true);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void GopListWidget::append(const std::string& line) {
    // The first line of a batch asks for the batch to be shown a moment later: a scan
    // appends thousands of lines a second, the eye needs a few pictures a second.
    if (pending_.empty()) QTimer::singleShot(100, view_, [this] { flush(); });
    pending_.push_back(line);
}

void GopListWidget::flush() const {
    model_->append(pending_);
}

void GopListWidget::clear() {
    ProgramChange change(programChange_);
    pending_.clear();
    model_->clear();
}

std::string GopListWidget::line(int index) const {
    flush();
    return index >= 0 && index < count() ? model_->line(index) : std::string();
}

void GopListWidget::replaceLine(int index, const std::string& line) {
    flush();
    if (index >= 0 && index < count()) model_->replace(index, line);
}

int GopListWidget::caretLine() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void GopListWidget::setCaretLine(int index) {
    flush();
    if (index < 0 || index >= count()) return;
    ProgramChange change(programChange_);
    view_->selectionModel()->setCurrentIndex(model_->index(index), QItemSelectionModel::NoUpdate);
}

std::vector<int> GopListWidget::selectedLines() const {
    flush();
    std::vector<int> rows;
    for (const QModelIndex& i : view_->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void GopListWidget::select(int index) {
    flush();
    if (index < 0 || index >= count()) return;
    ProgramChange change(programChange_);
    view_->selectionModel()->select(model_->index(index), QItemSelectionModel::Select);
}

void GopListWidget::clearSelection() {
    flush();
    ProgramChange change(programChange_);
    view_->selectionModel()->clearSelection();
}

int GopListWidget::topLine() const {
    flush();
    const QModelIndex top = view_->indexAt(QPoint(2, 2));
    return top.isValid() ? top.row() : 0;
}

void GopListWidget::scrollToTop(int index) {
    flush();
    if (index < 0 || index >= count()) return;
    view_->scrollTo(model_->index(index), QAbstractItemView::PositionAtTop);
}

void GopListWidget::focus() {
    view_->setFocus();
}

void GopListWidget::setSizeLabel(const std::string& text) {
    sizeLabel_->setText(QString::fromStdString(text));
}

}  // namespace velmorin::gui
