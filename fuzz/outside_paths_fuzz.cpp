// Arbitrary bytes as a list file, as a command line and as a hand-over
// message: no crash, hang or overrun, and what each reader yields keeps its
// promises (no line break or blank line in a list; a decoded message encodes
// back to the very same bytes).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "core/outside/command_line_words.h"
#include "core/outside/handover_message.h"
#include "core/outside/path_list_reader.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    for (const std::u16string& line : qm::ReadPathList(bytes)) {
        Require(line.find(u'\n') == std::u16string::npos);
        Require(line.find_first_not_of(u" \t") != std::u16string::npos);
    }

    std::u16string commandLine(size / 2, u'\0');
    for (std::size_t i = 0; i < commandLine.size(); ++i)
        commandLine[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    std::size_t units = 0;
    for (const std::u16string& word : qm::CommandLineArguments(commandLine)) units += word.size();
    Require(units <= commandLine.size());

    if (const auto message = qm::DecodeHandover(qm::HandoverForm, bytes)) {
        for (const std::u16string& entry : message->entries) Require(!entry.empty());
        const auto encoded = qm::EncodeHandover(message->entries, size);
        Require(encoded.size() == 1);
        if (message->last) Require(std::equal(encoded[0].begin(), encoded[0].end(), bytes.begin(), bytes.end()));
    }
    return 0;
}
