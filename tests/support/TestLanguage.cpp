// Every test starts with the Russian texts, whatever the display language of the machine that
// runs it: a test that changes the language leaves the next one unaffected.
#include <gtest/gtest.h>

#include "platform/texts/Texts.h"

namespace {

class RussianTexts : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        platform::UseLanguage(platform::PickLanguage(L"ru", L""));
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new RussianTexts);
    return true;
}();

}  // namespace
