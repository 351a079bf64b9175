#include "conversion/output_line.h"

OutputLineFormat::OutputLineFormat(std::string_view material, std::string_view rotation) {
    texts_.append(material).append("\t");
    head_size_ = texts_.size();
    texts_.append("\t").append(rotation).append("\t\tFalse\tFalse\tFalse\tFalse\tFalse\t");
    middle_size_ = texts_.size() - head_size_;
    // The TABs after fields 2 and 4 are written one by one.
    fixed_size_ = head_size_ + 2 + middle_size_ + kEnd.size();
    texts_.append(kSlack, '\0');
}
