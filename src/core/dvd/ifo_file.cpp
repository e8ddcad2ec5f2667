#include "dvd/ifo_file.h"

#include "platform/binary_file.h"

namespace velmorin {

bool IfoBuffer::load(const std::string& path) {
    bytes_->fill(0);
    length_ = 0;
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) return false;
    length_ = file.read(bytes_->data(), kSize);
    return true;
}

}  // namespace velmorin
