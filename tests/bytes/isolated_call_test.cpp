#include "bytes/isolated_call.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <thread>

using namespace ::bytes;

namespace {

// Whatever the child does, the parent goes on: an answer comes back whole, a crash, an exit or
// a hang is told in words.
TEST(IsolatedCall, TheParentGetsTheAnswerOrWhyThereWasNone) {
    std::vector<uint8_t> answer;
    std::string why;
    std::vector<uint8_t> large(300000);
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<uint8_t>(i * 7);
    }
    ASSERT_TRUE(RunIsolated([&] { return large; }, std::chrono::seconds(20), answer, why)) << why;
    EXPECT_EQ(answer, large);

    struct Case {
        std::function<std::vector<uint8_t>()> work;
        const char* why;
    };
    const Case cases[] = {
        {[]() -> std::vector<uint8_t> { std::abort(); }, "signal 6"},
        {[]() -> std::vector<uint8_t> { std::_Exit(3); }, "exit status 3"},
        {[]() -> std::vector<uint8_t> { throw std::runtime_error("no"); }, "exit status 2"},
        {[]() -> std::vector<uint8_t> {
             std::this_thread::sleep_for(std::chrono::seconds(30));
             return {};
         },
         "no answer within 1 s"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(RunIsolated(c.work, std::chrono::seconds(1), answer, why));
        EXPECT_EQ(why, c.why);
        EXPECT_TRUE(answer.empty());
    }
}

TEST(IsolatedCall, AReadersReasonPassesOnUnchanged) {
    std::vector<uint8_t> result;
    std::string reason;
    EXPECT_EQ(RunIsolatedRead(
                  [](std::vector<uint8_t>&, std::string& refusal) {
                      refusal = "the file cannot be opened";
                      return false;
                  },
                  result, reason),
              IsolatedRead::Refused);
    EXPECT_EQ(reason, "the file cannot be opened");
    EXPECT_EQ(RunIsolatedRead(
                  [](std::vector<uint8_t>& bytes, std::string&) {
                      bytes = {1, 2, 3};
                      return true;
                  },
                  result, reason),
              IsolatedRead::Succeeded);
    EXPECT_EQ(result, (std::vector<uint8_t>{1, 2, 3}));
}

// A reader run apart for a file: its reason, a crash and an answer its decoder rejects each
// reach the user in words naming the library and the file.
TEST(IsolatedCall, AReaderRunApartSaysWhoStoppedOnWhichFile) {
    using Read = std::function<bool(std::vector<uint8_t>&, std::string&)>;
    const Read answers = [](std::vector<uint8_t>& bytes, std::string&) {
        bytes = {7};
        return true;
    };
    struct Case {
        Read read;
        uint8_t accepted;  // the one answer the decoder takes
        const char* outcome;
    };
    const Case cases[] = {
        {answers, 7, ""},
        {[](std::vector<uint8_t>&, std::string& reason) {
             reason = "it holds no triangles";
             return false;
         },
         7, "it holds no triangles"},
        {[](std::vector<uint8_t>&, std::string&) -> bool { std::abort(); }, 7,
         "lib stopped while reading 'box.x' (signal 6)"},
        {answers, 8, "lib sent back a damaged answer for 'box.x'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcome);
        std::vector<uint8_t> decoded;
        const Status read =
            ReadApart("lib", "/some/folder/box.x", c.read, [&](std::span<const uint8_t> answer) {
                decoded.assign(answer.begin(), answer.end());
                return answer.size() == 1 && answer[0] == c.accepted;
            });
        EXPECT_EQ(read.Reason(), c.outcome);
        EXPECT_EQ(read.Ok(), std::string(c.outcome).empty());
        if (read) {
            EXPECT_EQ(decoded, std::vector<uint8_t>{7});
        }
    }
}

}  // namespace
