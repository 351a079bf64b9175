#include "conversion/part_list.h"

#include <cstring>
#include <utility>

#include "conversion/field.h"

namespace {

// The fields of a part line that its output line takes; those the line lacks are empty.
struct PartFields {
    explicit PartFields(std::string_view line) {
        FieldReader reader(line, "\t");
        std::string_view skipped;
        reader.Next(field1) && reader.Next(field2) && reader.Next(skipped) && reader.Next(field4) &&
            reader.Next(skipped) && reader.Next(skipped) && reader.Next(field7);
    }

    std::string_view field1, field2, field4, field7;
};

// The output line of a part line: 23 pieces, written into a buffer made large
// enough beforehand, so that making a line allocates nothing.
class OutputLine {
public:
    OutputLine(std::string_view line, std::string_view material, std::string_view rotation)
        : fields_(line), material_(material), rotation_(rotation) {}

    std::size_t Size() const {
        return material_.size() + fields_.field2.size() + fields_.field4.size() + fields_.field7.size() +
               rotation_.size() + fields_.field1.size() + kFixedSize;
    }

    // Writes Size() bytes at `out` and returns their end.
    char* Write(char* out) const {
        out = Put(out, material_);
        out = Put(out, "\t");
        out = Put(out, fields_.field2);
        out = Put(out, "\t");
        out = Put(out, fields_.field4);
        out = Put(out, "\t");
        out = Put(out, fields_.field7);
        out = Put(out, "\t");
        out = Put(out, rotation_);
        out = Put(out, kMiddle);  // TAB, TAB, "False" and TAB four times, "False", TAB
        out = Put(out, fields_.field1);
        return Put(out, "\tD");
    }

private:
    static constexpr std::string_view kMiddle = "\t\tFalse\tFalse\tFalse\tFalse\tFalse\t";
    static constexpr std::size_t kFixedSize = 4 + kMiddle.size() + 2;

    static char* Put(char* out, std::string_view piece) {
        std::memcpy(out, piece.data(), piece.size());
        return out + piece.size();
    }

    PartFields fields_;
    std::string_view material_, rotation_;
};

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

std::string_view RotationFlag(bool rotate) { return rotate ? "1" : "0"; }

std::string ConvertLine(std::string_view line, std::string_view material, std::string_view rotation) {
    const OutputLine output(line, material, rotation);
    std::string text(output.Size(), '\0');
    output.Write(text.data());
    return text;
}

void ConvertPartList(std::string_view text, std::string_view material, std::string_view rotation,
                     LineSink sink) {
    PartListConverter converter(material, rotation, std::move(sink));
    converter.Feed(text);
    converter.Finish();
}

PartListConverter::PartListConverter(std::string_view material, std::string_view rotation, LineSink sink)
    : material_(material), rotation_(rotation), sink_(std::move(sink)) {}

void PartListConverter::Feed(std::string_view piece) {
    // Whole lines are converted straight from the piece; only a line that runs
    // on into the next piece is kept.
    std::size_t start = 0;
    for (std::size_t end; (end = piece.find('\n', start)) != std::string_view::npos; start = end + 1) {
        const std::string_view line = piece.substr(start, end - start);
        if (pending_.empty()) {
            ConvertTerminatedLine(line);
        } else {
            pending_.append(line);
            ConvertTerminatedLine(pending_);
            pending_.clear();
        }
    }
    pending_.append(piece.substr(start));
}

void PartListConverter::Finish() {
    // The last line has no break, so a CR at its end is one of its bytes.
    Convert(pending_);
    pending_.clear();
}

void PartListConverter::ConvertTerminatedLine(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    Convert(line);
}

void PartListConverter::Convert(std::string_view line) {
    // An empty line describes no part; this also makes the empty piece after a
    // final line break no line.
    if (line.empty()) return;
    const OutputLine output(line, material_, rotation_);
    const std::size_t size = output.Size() + kLineBreak.size();
    // The room only grows, so that only the longest line so far allocates.
    if (output_.size() < size) output_.resize(size);
    std::memcpy(output.Write(output_.data()), kLineBreak.data(), kLineBreak.size());
    sink_(std::string_view(output_.data(), size));
}
