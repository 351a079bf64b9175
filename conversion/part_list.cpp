#include "conversion/part_list.h"

#include <algorithm>
#include <utility>

#include "conversion/part_line.h"

namespace {

// Output is delivered in blocks of about this size: large enough that the sink
// is called rarely, small enough to stay in the processor's cache.
constexpr std::size_t kDeliverySize = 64 * 1024;

}  // namespace

std::string_view RotationFlag(bool rotate) { return rotate ? "1" : "0"; }

std::string ConvertLine(std::string_view line, std::string_view material, std::string_view rotation) {
    // Every byte is a byte of the line here, an LF too, as for field access.
    std::string padded(line);
    padded.append(OutputLineFormat::kSlack, '\0');
    const PartFields fields = ScanPartLine(padded.data(), padded.data() + line.size(), false).Fields();
    const OutputLineFormat format(material, rotation);
    const std::size_t size = format.Size(fields);
    std::string text(size + OutputLineFormat::kSlack, '\0');
    format.Write(text.data(), fields);
    text.resize(size - OutputLineFormat::kLineBreak.size());
    return text;
}

void ConvertPartList(std::string_view text, std::string_view material, std::string_view rotation,
                     OutputSink sink) {
    PartListConverter converter(material, rotation, std::move(sink));
    converter.Feed(text);
    converter.Finish();
}

PartListConverter::PartListConverter(std::string_view material, std::string_view rotation, OutputSink sink)
    : format_(material, rotation),
      sink_(std::move(sink)),
      output_(2 * kDeliverySize) {}

void PartListConverter::Feed(std::string_view piece) {
    // Lines are converted straight from the piece; those at its end, which may
    // run on into the next piece or lack the bytes to read over, are kept.
    // Nothing is allocated while output is held undelivered, but in MakeRoom,
    // which delivers it first.
    const char* at = piece.data();
    const char* const end = at + piece.size();
    if (!pending_.empty()) {
        const char* const line_feed = std::find(at, end, '\n');
        if (line_feed == end) {
            pending_.append(at, end);
            return;
        }
        at = line_feed + 1;
        pending_.append(piece.data(), at);
        ConvertPending();
    }
    at = ConvertLines(at, end, end);
    Deliver();
    pending_.assign(at, end);
}

void PartListConverter::Finish() {
    ConvertPending();
    Deliver();
}

// Inline: the loop of ConvertLines runs it for every line.
inline void PartListConverter::Convert(const PartLine& line) {
    // An empty line describes no part; this also makes the empty piece after a
    // final line break no line.
    if (line.begin == line.end) return;
    const PartFields fields = line.Fields();
    const std::size_t size = format_.Size(fields);
    if (output_.size() - output_size_ < size + OutputLineFormat::kSlack) {
        MakeRoom(size + OutputLineFormat::kSlack);
    }
    format_.Write(output_.data() + output_size_, fields);
    output_size_ += size;
    if (output_size_ >= kDeliverySize) Deliver();
}

// Converts the lines in [begin, end) that end with an LF and are followed by
// kSlack bytes that may be read, and returns where the rest starts.
const char* PartListConverter::ConvertLines(const char* begin, const char* end, const char* readable_end) {
    for (;;) {
        const PartLine line = ScanPartLine(begin, end, true);
        if (line.line_feed == nullptr) return begin;
        if (static_cast<std::size_t>(readable_end - line.end) < OutputLineFormat::kSlack) return begin;
        Convert(line);
        begin = line.line_feed + 1;
    }
}

// Converts every line that is kept, the last one too: when more text comes,
// they all end with an LF; otherwise the last has none, and a CR at its end is
// one of its bytes.
void PartListConverter::ConvertPending() {
    const std::size_t size = pending_.size();
    pending_.append(OutputLineFormat::kSlack, '\0');
    const char* const end = pending_.data() + size;
    const char* const last = ConvertLines(pending_.data(), end, end + OutputLineFormat::kSlack);
    Convert(ScanPartLine(last, end, false));
    pending_.clear();
}

void PartListConverter::MakeRoom(std::size_t size) {
    // What is made goes out before the room grows, so that a failure to grow
    // loses none of it.
    Deliver();
    if (output_.size() < size) output_.assign(size, '\0');
}

void PartListConverter::Deliver() {
    if (output_size_ == 0) return;
    // Emptied first: a sink that fails does not get the same lines again.
    sink_(std::string_view(output_.data(), std::exchange(output_size_, 0)));
}
