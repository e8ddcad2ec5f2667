#include "list_box_gop_view.h"

#include "dialog.h"
#include "platform/wide_text.h"

namespace velmorin::win32 {

namespace {
constexpr ULONGLONG kBatchMs = 100;  // the eye needs a few pictures a second, not thousands
}

void ListBoxGopView::attach(HWND dialog, HWND list, HWND sizeLabel) {
    dialog_ = dialog;
    list_ = list;
    sizeLabel_ = sizeLabel;
}

void ListBoxGopView::append(const std::string& line) {
    pending_.push_back(line);
    if (GetTickCount64() - lastFlush_ >= kBatchMs) flush();
}

void ListBoxGopView::flush() const {
    lastFlush_ = GetTickCount64();
    if (pending_.empty()) return;
    std::size_t bytes = 0;
    for (const auto& l : pending_) bytes += (l.size() + 1) * sizeof(wchar_t);
    send(WM_SETREDRAW, FALSE);
    send(LB_INITSTORAGE, pending_.size(), static_cast<LPARAM>(bytes));
    for (const auto& l : pending_)
        send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(l).c_str()));
    send(WM_SETREDRAW, TRUE);
    InvalidateRect(list_, nullptr, TRUE);
    pending_.clear();
}

void ListBoxGopView::clear() {
    pending_.clear();
    send(LB_RESETCONTENT);
}

int ListBoxGopView::count() const {
    return static_cast<int>(send(LB_GETCOUNT)) + static_cast<int>(pending_.size());
}

std::string ListBoxGopView::line(int index) const {
    flush();
    return listBoxText(list_, index).value_or(std::string{});
}

void ListBoxGopView::replaceLine(int index, const std::string& line) {
    flush();
    if (index < 0 || index >= count()) return;
    // A list box replaces a line by deleting and inserting it: keep its selection, the
    // caret and the top line as they were.
    const bool selected = send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
    const LRESULT caret = send(LB_GETCARETINDEX);
    const LRESULT top = send(LB_GETTOPINDEX);
    send(WM_SETREDRAW, FALSE);
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
    send(LB_INSERTSTRING, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(wideFromUtf8(line).c_str()));
    send(LB_SETSEL, selected, index);
    send(LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
    send(LB_SETTOPINDEX, static_cast<WPARAM>(top));
    send(WM_SETREDRAW, TRUE);
    InvalidateRect(list_, nullptr, TRUE);
}

int ListBoxGopView::caretLine() const {
    flush();
    const LRESULT caret = send(LB_GETCARETINDEX);
    return caret == LB_ERR ? 0 : static_cast<int>(caret);
}

void ListBoxGopView::setCaretLine(int index) {
    flush();
    if (index >= 0 && index < count()) send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

std::vector<int> ListBoxGopView::selectedLines() const {
    flush();
    const LRESULT n = send(LB_GETSELCOUNT);
    if (n <= 0) return {};
    std::vector<int> lines(static_cast<std::size_t>(n));
    const LRESULT got =
        send(LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(lines.data()));
    lines.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return lines;
}

void ListBoxGopView::select(int index) {
    flush();
    if (index >= 0 && index < count()) send(LB_SETSEL, TRUE, index);
}

void ListBoxGopView::clearSelection() {
    flush();
    send(LB_SETSEL, FALSE, -1);
}

int ListBoxGopView::topLine() const {
    flush();
    const LRESULT top = send(LB_GETTOPINDEX);
    return top == LB_ERR ? 0 : static_cast<int>(top);
}

void ListBoxGopView::scrollToTop(int index) {
    flush();
    if (index >= 0 && index < count()) send(LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

void ListBoxGopView::focus() {
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_), TRUE);
    SetFocus(list_);
}

void ListBoxGopView::setSizeLabel(const std::string& text) {
    SetWindowTextW(sizeLabel_, wideFromUtf8(text).c_str());
}

}  // namespace velmorin::win32
