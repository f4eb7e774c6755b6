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

}  // namespace
