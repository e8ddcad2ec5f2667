// The GOP list over the main window's list box (extended selection, caret, top index)
// and its size label. Lines appended during a scan reach the list box in batches, a few
// times a second, with its drawing held meanwhile.
#pragma once

#include <string>
#include <vector>

#include "ui/gop_list_view.h"
#include "win32.h"

namespace velmorin::win32 {

class ListBoxGopView : public GopListView {
public:
    void attach(HWND dialog, HWND list, HWND sizeLabel);

    void append(const std::string& line) override;
    void clear() override;
    int count() const override;
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

    // Hands the lines appended since the last time to the list box.
    void flush() const;

private:
    LRESULT send(UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return SendMessageW(list_, message, w, l);
    }

    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
    HWND sizeLabel_ = nullptr;
    mutable std::vector<std::string> pending_;
    mutable ULONGLONG lastFlush_ = 0;
};

}  // namespace velmorin::win32
