// `nxhost picture` as a user runs it, on good and broken input, and its page in headless
// Chromium: drawn without a script error, with a screenshot kept in <build>/test-artifacts.
#include <fstream>
#include <vector>

#include "picture_fixture.h"

namespace picturetest {
namespace {

const char *const kChromium = "/usr/bin/chromium";

class PictureCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "torvane-picture-cmd-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    Shell nxhost(const std::vector<std::string> &args) const {
        std::string command = "env -u NXHOST_MOUNTS timeout 120 " + quoted(nxhost_path());
        for (const std::string &a : args) command += " " + quoted(a);
        return shell(command, dir_ + "/nxhost");
    }

    // What headless Chromium makes of a page: the DOM after its scripts ran, or a screenshot.
    Shell chromium(const std::string &page, const std::vector<std::string> &what) const {
        std::string command = "timeout 120 " + quoted(kChromium) + " --headless --no-sandbox --disable-gpu " +
                              "--no-first-run --user-data-dir=" + quoted(dir_ + "/chromium-profile");
        for (const std::string &a : what) command += " " + quoted(a);
        return shell(command + " " + quoted("file://" + page), dir_ + "/chromium");
    }

    std::string dir_;
};

TEST_F(PictureCommandTest, EachInputGivesItsPageOrItsError) {
    ASSERT_EQ(ProgrammedPart::get().error(), "");
    const std::string conf = testsupport::source_dir() + "/conf";
    fs::create_directories(dir_ + "/parts");
    std::ofstream(dir_ + "/parts/broken.prt") << "{\"format\":\"nxhost-part/1\",\"units\":\"mm\",\"bodies\":[";
    fs::create_directories(dir_ + "/a-folder.html");
    const struct {
        const char *what;
        std::vector<std::string> args;
        int exit_code;
        std::string err;   // a fragment of stderr ("" = empty)
        std::string page;  // a fragment of the page written ("" = no page)
    } cases[] = {
        {"programmed part", {ProgrammedPart::get().path(), "--html", dir_ + "/p.html"}, 0, "", "\"name\":\"MCS_QZ_0\""},
        {"part without CAM", {conf + "/samples/electrodes.prt", "--html", dir_ + "/n.html"}, 0, "no CAM setup", "id=\"no-cam\""},
        {"Windows path on a drive", {"D:\\samples\\electrodes.prt", "--drive", "D=" + conf, "--html", dir_ + "/w.html"}, 0,
         "no CAM setup", "\"name\":\"CLAMP-1\""},
        {"missing part", {dir_ + "/parts/none.prt", "--html", dir_ + "/m.html"}, 2, "none.prt", ""},
        {"malformed part", {dir_ + "/parts/broken.prt", "--html", dir_ + "/b.html"}, 2, "broken.prt", ""},
        {"page in a missing folder", {ProgrammedPart::get().path(), "--html", dir_ + "/no/such/x.html"}, 7, "cannot write", ""},
        {"page is a folder", {ProgrammedPart::get().path(), "--html", dir_ + "/a-folder.html"}, 7, "cannot write", ""},
        {"no page named", {ProgrammedPart::get().path()}, 1, "picture needs --html OUT", ""},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args{"picture"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Shell r = nxhost(args);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.what << "\n" << r.err;
        if (c.err.empty()) {
            EXPECT_EQ(r.err, "") << c.what;
        } else {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << c.what << "\n" << r.err;
        }
        EXPECT_EQ(r.out, "") << c.what;
        const std::string html = args.size() > 3 && args[args.size() - 2] == "--html" ? args.back() : "";
        if (c.page.empty()) {
            if (!html.empty() && !fs::is_directory(html)) {
                EXPECT_FALSE(fs::exists(html)) << c.what;
            }
            continue;
        }
        const std::string page = testsupport::read_host_file(html);
        EXPECT_NE(page.find(c.page), std::string::npos) << c.what;
    }
    EXPECT_TRUE(fs::is_directory(dir_ + "/a-folder.html")) << "a folder in the page's place stays";
}

TEST_F(PictureCommandTest, TheDemoPageIsSmall) {
    ASSERT_EQ(ProgrammedPart::get().error(), "");
    const std::string page = dir_ + "/p.html";
    ASSERT_EQ(nxhost({"picture", ProgrammedPart::get().path(), "--html", page}).exit_code, 0);
    EXPECT_LT(fs::file_size(page), 3u * 1024 * 1024);
    EXPECT_GT(fs::file_size(page), 10u * 1024) << "the bodies' triangles are in it";
}

// The page opened as a user opens it: every view drawn, no script error; the screenshot is kept.
TEST_F(PictureCommandTest, ChromiumDrawsThePageWithoutScriptErrors) {
    ASSERT_TRUE(fs::exists(kChromium)) << "headless Chromium is needed (scripts/install-deps.sh installs it)";
    ASSERT_EQ(ProgrammedPart::get().error(), "");
    const std::string page = dir_ + "/electrodes.html", bare = dir_ + "/bare.html";
    ASSERT_EQ(nxhost({"picture", ProgrammedPart::get().path(), "--html", page}).exit_code, 0);
    ASSERT_EQ(nxhost({"picture", testsupport::source_dir() + "/conf/samples/electrodes.prt", "--html", bare}).exit_code, 0);
    for (const std::string &p : {page, bare}) {
        const Shell dom = chromium(p, {"--dump-dom"});
        ASSERT_EQ(dom.exit_code, 0) << p << "\n" << dom.err;
        EXPECT_NE(dom.out.find("<body data-rendered=\"ok\">"), std::string::npos) << p << "\n" << dom.out.substr(0, 2000);
        EXPECT_NE(dom.out.find("<pre id=\"script-errors\" hidden=\"\"></pre>"), std::string::npos) << p;
        EXPECT_NE(dom.out.find("<canvas"), std::string::npos) << p;
    }
    // An operation picked through the page's address: its line marked, drawn without an error.
    const Shell planar = chromium(page + "#op=PLAN_EDM-F2", {"--dump-dom"});
    EXPECT_NE(planar.out.find("<li class=\"picked\"><b>PLAN_EDM-F2</b>"), std::string::npos) << planar.out.substr(0, 2000);
    EXPECT_NE(planar.out.find("<body data-rendered=\"ok\">"), std::string::npos);
    EXPECT_NE(planar.out.find("<pre id=\"script-errors\" hidden=\"\"></pre>"), std::string::npos);
    const std::string artifacts = testsupport::binary_dir() + "/test-artifacts";
    fs::create_directories(artifacts);
    const std::string png = artifacts + "/picture.png";
    fs::remove(png);
    const Shell shot = chromium(page, {"--screenshot=" + png, "--window-size=1400,900", "--hide-scrollbars"});
    ASSERT_EQ(shot.exit_code, 0) << shot.err;
    const std::string bytes = testsupport::read_host_file(png);
    ASSERT_GE(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    // The width and height in the header, and enough bytes for a picture that is not blank.
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), 1400);
    EXPECT_EQ(be32(20), 900);
    EXPECT_GT(bytes.size(), 40000u) << "a blank page compresses to far less";
}

// What a user does with the page: turn and zoom the 3D view, pick an operation, reset the view;
// each redraws without a script error.
TEST_F(PictureCommandTest, DraggingZoomingAndPickingRedrawWithoutScriptErrors) {
    ASSERT_TRUE(fs::exists(kChromium)) << "headless Chromium is needed (scripts/install-deps.sh installs it)";
    ASSERT_EQ(ProgrammedPart::get().error(), "");
    const std::string page = dir_ + "/electrodes.html";
    ASSERT_EQ(nxhost({"picture", ProgrammedPart::get().path(), "--html", page}).exit_code, 0);
    std::string html = testsupport::read_host_file(page);
    const std::size_t end = html.rfind("</body>");
    ASSERT_NE(end, std::string::npos);
    html.insert(end, R"(<script>
(function () {
  var c = document.querySelectorAll('canvas')[3];
  c.dispatchEvent(new MouseEvent('mousedown', { clientX: 100, clientY: 100, bubbles: true }));
  window.dispatchEvent(new MouseEvent('mousemove', { clientX: 160, clientY: 130 }));
  window.dispatchEvent(new MouseEvent('mouseup', {}));
  c.dispatchEvent(new WheelEvent('wheel', { deltaY: -300, bubbles: true, cancelable: true }));
  document.querySelectorAll('#operations li')[6].click();
  c.dispatchEvent(new MouseEvent('dblclick', { bubbles: true }));
  requestAnimationFrame(function () { setTimeout(function () { document.body.dataset.interacted = 'ok'; }, 0); });
})();
</script>
)");
    ASSERT_TRUE(testsupport::write_host_file(page, html));
    const Shell dom = chromium(page, {"--virtual-time-budget=5000", "--dump-dom"});
    ASSERT_EQ(dom.exit_code, 0) << dom.err;
    EXPECT_NE(dom.out.find("data-interacted=\"ok\""), std::string::npos) << "the redraws did not all run";
    EXPECT_NE(dom.out.find("<li class=\"picked\"><b>PLAN_EDM-F2</b>"), std::string::npos);
    EXPECT_NE(dom.out.find("<pre id=\"script-errors\" hidden=\"\"></pre>"), std::string::npos)
        << dom.out.substr(dom.out.find("script-errors"), 300);
}

// The checks above can fail: a page whose data is broken shows its error and no mark.
TEST_F(PictureCommandTest, AScriptErrorShowsInThePageAndLeavesItUnmarked) {
    ASSERT_TRUE(fs::exists(kChromium)) << "headless Chromium is needed (scripts/install-deps.sh installs it)";
    const std::string page = dir_ + "/bare.html";
    ASSERT_EQ(nxhost({"picture", testsupport::source_dir() + "/conf/samples/electrodes.prt", "--html", page}).exit_code, 0);
    std::string html = testsupport::read_host_file(page);
    const std::size_t at = html.find("\"bodies\":[");
    ASSERT_NE(at, std::string::npos);
    html.insert(at + 10, "}");
    ASSERT_TRUE(testsupport::write_host_file(page, html));
    const Shell dom = chromium(page, {"--dump-dom"});
    ASSERT_EQ(dom.exit_code, 0) << dom.err;
    EXPECT_EQ(dom.out.find("data-rendered"), std::string::npos);
    EXPECT_NE(dom.out.find("<pre id=\"script-errors\">error: "), std::string::npos) << dom.out.substr(dom.out.find("script-errors"), 300);
}

}  // namespace
}  // namespace picturetest
