#include "standin_test.h"

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "nxhost/core/session.h"
#include "nxhost/objects/store.h"
#include "nxhost/script/script.h"
#include "nxhost/ui/transcript.h"
#include "uf.h"

namespace testsupport {

void StandinTest::SetUp() {
    nxhost::reset_all();
    DriveTest::SetUp();
    set_env("UGII_BASE_DIR", "");
    set_env("UGII_CAM_CONFIG", "");
    ASSERT_EQ(UF_initialize(), 0);
}

void StandinTest::TearDown() {
    EXPECT_EQ(nxhost::store().check_indexes(), "") << "the object store's indexes went stale";
    if (expect_clean_session_) {
        EXPECT_EQ(UF_terminate(), 0) << "the test's own session";
        EXPECT_FALSE(nxhost::session_open()) << "a session was left open";
        EXPECT_EQ(nxhost::outstanding_blocks(), 0u) << "NX memory handed out and never freed";
        for (const std::string &line : nxhost::misuse_lines()) ADD_FAILURE() << "API misuse: " << line;
    }
    nxhost::reset_all();
    DriveTest::TearDown();
}

void StandinTest::use_nx_root(const std::string &cam_config) {
    const std::string windows = "C:\\Program Files\\Siemens\\NX";
    set_env("NXHOST_MOUNTS", windows + "=" + binary_dir() + "/nxroot");
    set_env("UGII_BASE_DIR", windows);
    if (!cam_config.empty()) set_env("UGII_CAM_CONFIG", cam_config);
}

void StandinTest::play(const std::string &script_text) const {
    nxhost::script::play(nxhost::script::parse(script_text, "test-scenario"));
}

std::vector<std::string> StandinTest::shown(const std::string &kind) const {
    std::vector<std::string> texts;
    for (const nxhost::TranscriptEntry &e : nxhost::transcript())
        if (kind.empty() || e.kind == kind) texts.push_back(e.text);
    return texts;
}

void StandinTest::clear_shown() const { nxhost::clear_transcript(); }

long run_failing_each_call(const std::function<void()> &setup, const std::function<void()> &body, int shard,
                           int shards) {
    auto fresh = [&] {
        nxhost::reset_all();
        EXPECT_EQ(UF_initialize(), 0);
        setup();
    };
    fresh();
    const long before = nxhost::calls_made();
    body();
    const long total = nxhost::calls_made() - before;
    for (long n = 1 + shard; n <= total; n += shards) {
        SCOPED_TRACE("NX call " + std::to_string(n) + " of " + std::to_string(total) + " fails");
        fresh();
        nxhost::fail_call_number(n);
        body();
        EXPECT_EQ(nxhost::calls_failed(), 1);
    }
    nxhost::reset_all();
    EXPECT_EQ(UF_initialize(), 0);
    return total;
}

}  // namespace testsupport
