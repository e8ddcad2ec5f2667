// The GOP list as commands see it (one line per GOP, with a caret, an extended
// selection and a top line), and the size label beneath it.
#pragma once

#include <string>
#include <vector>

namespace velmorin {

class GopListView {
public:
    virtual ~GopListView() = default;

    virtual void append(const std::string& line) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual std::string line(int index) const = 0;
    virtual void replaceLine(int index, const std::string& line) = 0;

    virtual int caretLine() const = 0;
    virtual void setCaretLine(int index) = 0;
    virtual std::vector<int> selectedLines() const = 0;
    virtual void select(int index) = 0;
    virtual void clearSelection() = 0;

    // The first visible line; scrollToTop makes `index` the top line as far as the
    // list can scroll.
    virtual int topLine() const = 0;
    virtual void scrollToTop(int index) = 0;
    virtual void focus() = 0;

    virtual void setSizeLabel(const std::string& text) = 0;
};

}  // namespace velmorin
