// The hand-over between two starts: what one encodes the other decodes, in
// as many messages as it takes, and anything not in that exact form is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/outside/handover_message.h"

namespace qm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Entries = std::vector<std::u16string>;

TEST(HandoverMessage, EncodedEntriesComeBackInOrderAcrossMessages) {
    std::mt19937 random(1501);
    for (int round = 0; round < 200; ++round) {
        Entries entries(random() % 40);
        for (std::u16string& entry : entries) {
            entry.resize(1 + random() % 300);
            for (char16_t& unit : entry) unit = static_cast<char16_t>(1 + random() % 0xFFFF);
        }
        const std::size_t limit = 16 + random() % 4000;
        const std::vector<Bytes> messages = EncodeHandover(entries, limit);
        ASSERT_FALSE(messages.empty());
        Entries decoded;
        for (std::size_t i = 0; i < messages.size(); ++i) {
            const std::optional<HandoverMessage> message = DecodeHandover(HandoverForm, messages[i]);
            ASSERT_TRUE(message) << "message " << i;
            EXPECT_EQ(message->last, i + 1 == messages.size());
            EXPECT_TRUE(messages[i].size() <= limit || message->entries.size() == 1) << messages[i].size();
            EXPECT_TRUE(!message->entries.empty() || entries.empty());
            decoded.insert(decoded.end(), message->entries.begin(), message->entries.end());
        }
        EXPECT_EQ(decoded, entries);
    }
}

TEST(HandoverMessage, NoEntriesMakeOneEmptyLastMessage) {
    const std::vector<Bytes> messages = EncodeHandover({});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], (Bytes{0, 0, 0, 0, 1, 0, 0, 0}));
    const std::optional<HandoverMessage> message = DecodeHandover(HandoverForm, messages[0]);
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->entries.empty());
    EXPECT_TRUE(message->last);
}

TEST(HandoverMessage, AnythingElseIsRefused) {
    // Two entries, "ab" and "c": the form that is accepted.
    const Bytes good = {2, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 'b', 0, 0, 0, 'c', 0, 0, 0};
    ASSERT_TRUE(DecodeHandover(HandoverForm, good));
    EXPECT_EQ(DecodeHandover(HandoverForm, good)->entries, (Entries{u"ab", u"c"}));

    auto changed = [&](auto change) {
        Bytes bytes = good;
        change(bytes);
        return bytes;
    };
    struct Case {
        const char* what;
        std::uint64_t form;
        Bytes bytes;
    } cases[] = {
        {"another form", HandoverForm + 1, good},
        {"no form", 0, good},
        {"the form in the high half only", HandoverForm << 32, good},
        {"a count too high", HandoverForm, changed([](Bytes& b) { b[0] = 3; })},
        {"a count too low", HandoverForm, changed([](Bytes& b) { b[0] = 1; })},
        {"a huge count", HandoverForm, changed([](Bytes& b) { b[3] = 0x80; })},
        {"bytes after the last entry", HandoverForm, changed([](Bytes& b) { b.insert(b.end(), {'d', 0, 0, 0}); })},
        {"an odd byte after the last entry", HandoverForm, changed([](Bytes& b) { b.push_back(0); })},
        {"the last entry without its end mark", HandoverForm, changed([](Bytes& b) { b.resize(b.size() - 2); })},
        {"half an end mark", HandoverForm, changed([](Bytes& b) { b.resize(b.size() - 1); })},
        {"an empty entry", HandoverForm, changed([](Bytes& b) { b.insert(b.begin() + 8, {0, 0}); b[0] = 3; })},
        {"an unknown flag", HandoverForm, changed([](Bytes& b) { b[4] = 3; })},
        {"a flag in the high byte", HandoverForm, changed([](Bytes& b) { b[7] = 0x80; })},
        {"no header", HandoverForm, Bytes{}},
        {"half a header", HandoverForm, Bytes{0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_FALSE(DecodeHandover(c.form, c.bytes)) << c.what;
}

// The limit counts the header and every entry with its end mark: a message of
// exactly that size goes whole, one unit more sends the last entry on alone.
TEST(HandoverMessage, AMessageExactlyAtTheLimitGoesWholeAndOneUnitMoreDoesNot) {
    constexpr std::size_t Limit = HandoverMessageBytes;
    // The header, "ab" and its mark, and an entry that fills the rest with its mark.
    Entries entries = {u"ab", std::u16string((Limit - 8 - 6) / 2 - 1, u'x')};
    std::vector<Bytes> messages = EncodeHandover(entries);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].size(), Limit);
    EXPECT_EQ(DecodeHandover(HandoverForm, messages[0])->entries, entries);

    entries[1].push_back(u'y');
    messages = EncodeHandover(entries);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(DecodeHandover(HandoverForm, messages[0])->entries, Entries{u"ab"});
    EXPECT_FALSE(DecodeHandover(HandoverForm, messages[0])->last);
    EXPECT_EQ(DecodeHandover(HandoverForm, messages[1])->entries, Entries{entries[1]});
}

TEST(HandoverMessage, AnEntryLongerThanTheLimitTravelsAlone) {
    const Entries entries = {u"a", std::u16string(500, u'x'), u"b"};
    const std::vector<Bytes> messages = EncodeHandover(entries, 100);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(DecodeHandover(HandoverForm, messages[1])->entries, (Entries{entries[1]}));
}

}  // namespace
}  // namespace qm
