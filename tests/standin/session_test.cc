// The session gate, fail injection, fail messages and the accounting of NX memory.
#include <cstring>

#include "nxhost/core/guard.h"
#include "nxhost/core/session.h"
#include "standin_test.h"
#include "uf.h"

namespace {

using SessionTest = testsupport::StandinTest;

TEST_F(SessionTest, CallsOutsideASessionAreRefusedAndReportedAsMisuse) {
    ASSERT_EQ(UF_terminate(), 0);
    char *release = nullptr;
    EXPECT_EQ(UF_get_release(&release), UF_err_program_not_initialized);
    EXPECT_EQ(release, nullptr);
    ASSERT_EQ(nxhost::misuse_lines().size(), 1u);
    EXPECT_NE(nxhost::misuse_lines()[0].find("UF_get_release"), std::string::npos);
    expect_clean_session_ = false;
}

TEST_F(SessionTest, SessionsNestAndTerminatingWithoutOneIsAnErrorNotACrash) {
    ASSERT_EQ(UF_initialize(), 0);
    ASSERT_EQ(UF_terminate(), 0);
    EXPECT_TRUE(nxhost::session_open()) << "the outer session stays open";
    ASSERT_EQ(UF_terminate(), 0);
    EXPECT_NE(UF_terminate(), 0);
    EXPECT_EQ(nxhost::misuse_lines().size(), 1u);
    expect_clean_session_ = false;
}

TEST_F(SessionTest, ReleaseTextIsConfigurableAndHandedOutAsNxMemory) {
    for (const char *text : {"V12.0.2.9", "no digits"}) {
        nxhost::set_release_text(text);
        char *release = nullptr;
        ASSERT_EQ(UF_get_release(&release), 0);
        EXPECT_STREQ(release, text);
        EXPECT_EQ(nxhost::outstanding_blocks(), 1u);
        UF_free(release);
    }
}

TEST_F(SessionTest, FailMessagesExistForTheCodesTheStandInReturns) {
    char message[133];
    for (int code : {nxhost::kNotInitialized, nxhost::kBadTag, nxhost::kBadArgument, nxhost::kInjectedFailure}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(UF_get_fail_message(code, message), 0);
        EXPECT_GT(std::strlen(message), 0u);
    }
    EXPECT_NE(UF_get_fail_message(424242, message), 0);
    EXPECT_STREQ(message, "");
}

TEST_F(SessionTest, AllocatedMemoryIsCountedUntilFreed) {
    int rc = -1;
    void *a = UF_allocate_memory(16, &rc);
    ASSERT_EQ(rc, 0);
    void *b = UF_allocate_memory(8, &rc);
    EXPECT_EQ(nxhost::outstanding_blocks(), 2u);
    a = UF_reallocate_memory(a, 64, &rc);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(nxhost::outstanding_bytes(), 72u);
    UF_free(a);
    UF_free(b);
    EXPECT_EQ(nxhost::outstanding_blocks(), 0u);
    EXPECT_EQ(UF_allocate_memory(0, &rc), nullptr);
    EXPECT_EQ(rc, 0);
}

TEST_F(SessionTest, FreeingForeignOrFreedMemoryIsReportedNotCrashing) {
    int rc = 0;
    void *p = UF_allocate_memory(4, &rc);
    UF_free(p);
    UF_free(p);
    int local = 0;
    UF_free(&local);
    EXPECT_EQ(nxhost::misuse_lines().size(), 2u);
    expect_clean_session_ = false;
}

TEST_F(SessionTest, TheNthCallFailsWhenATestAsksForIt) {
    nxhost::fail_call_number(2);
    char *first = nullptr, *second = nullptr, *third = nullptr;
    EXPECT_EQ(UF_get_release(&first), 0);
    EXPECT_EQ(UF_get_release(&second), nxhost::kInjectedFailure);
    EXPECT_EQ(UF_get_release(&third), 0);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(nxhost::calls_failed(), 1);
    UF_free(first);
    UF_free(third);
}

TEST_F(SessionTest, RunningEveryCallFailingVisitsEachCallOnce) {
    std::vector<int> codes;
    long calls = testsupport::run_failing_each_call([] {}, [&] {
        char *a = nullptr;
        codes.push_back(UF_get_release(&a));
        UF_free(a);
        char *b = nullptr;
        codes.push_back(UF_get_release(&b));
        UF_free(b);
    });
    EXPECT_EQ(calls, 2);
    // First the counting run, then call 1 failing, then call 2 failing.
    EXPECT_EQ(codes, (std::vector<int>{0, 0, nxhost::kInjectedFailure, 0, 0, nxhost::kInjectedFailure}));
}

}  // namespace
