// SPDX-License-Identifier: MIT
// The program's windows under a real X server and window manager (Xvfb and
// openbox), as a user sees them: what the window manager offers for the main
// window, and where the windows open the first time they are shown.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Standard output of a shell command.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
    pclose(pipe);
  }
  return text;
}

// Starts a program; `report_fd`, when given, becomes its descriptor 3.
pid_t Spawn(const std::vector<std::string>& args, int report_fd = -1) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (report_fd >= 0) posix_spawn_file_actions_adddup2(&actions, report_fd, 3);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);  // also when it has ended already
  pid = -1;
}

// Asks again until `done` holds, for at most a few seconds; true when it did.
template <class Condition>
bool Eventually(Condition done) {
  for (int i = 0; i < 100; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

int Number(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  return at == std::string::npos ? -100000 : std::atoi(text.c_str() + at + label.size());
}

struct Frame {
  int left = 0, top = 0, width = 0, height = 0;
  int CentreX() const { return left + width / 2; }
  int CentreY() const { return top + height / 2; }
};

class WindowManagerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The server picks a free display and reports its number.
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    server_ = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, report[1]);
    close(report[1]);
    ASSERT_GT(server_, 0) << "Xvfb is missing: scripts/deps.sh installs it";
    report_ = report[0];  // kept open: the server may write its line in pieces
    std::string number;
    for (char c; number.find('\n') == std::string::npos && read(report_, &c, 1) == 1;) number += c;
    ASSERT_FALSE(number.empty());
    const std::string display = std::string(1, ':').append(std::to_string(std::atoi(number.c_str())));
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    ASSERT_TRUE(Eventually([] { return !Output("xprop -root _NET_SUPPORTED").empty(); }));
    // The window manager may find the new server not ready yet: it is started again then.
    const auto managing = [] {
      return Output("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos;
    };
    for (int attempt = 0; attempt < 5 && !managing(); ++attempt) {
      Stop(manager_);
      manager_ = Spawn({"openbox"});
      ASSERT_GT(manager_, 0) << "openbox is missing: scripts/deps.sh installs it";
      Eventually([&] {
        if (waitpid(manager_, nullptr, WNOHANG) != manager_) return managing();
        manager_ = -1;  // it gave up
        return true;
      });
    }
    ASSERT_TRUE(managing());
  }
  static void TearDownTestSuite() {
    Stop(manager_);
    Stop(server_);
    close(report_);
  }
  void TearDown() override { Stop(program_); }

  // Shows one window of the preview program; the id of its top-level window.
  std::string Show(const std::string& which, const std::string& title) {
    program_ = Spawn({VORLIX_DIALOG_PREVIEW, which});
    std::string id;
    Eventually([&] {
      id = Output("xdotool search --onlyvisible --name '" + title + "'");
      id = id.substr(0, id.find('\n'));
      return !id.empty() && Output("xprop -id " + id + " _NET_FRAME_EXTENTS").find(" = ") != std::string::npos;
    });
    return id;
  }

  // The window's frame as the window manager drew it around the window.
  static Frame FrameOf(const std::string& id) {
    const std::string info = Output("xwininfo -id " + id);
    const std::string property = Output("xprop -id " + id + " _NET_FRAME_EXTENTS");
    std::istringstream extents(property.substr(property.find('=') + 1));
    int left = 0, right = 0, top = 0, bottom = 0;
    char comma;
    extents >> left >> comma >> right >> comma >> top >> comma >> bottom;
    return {Number(info, "Absolute upper-left X:") - left, Number(info, "Absolute upper-left Y:") - top,
            Number(info, "Width:") + left + right, Number(info, "Height:") + top + bottom};
  }

  static bool Centred(const Frame& frame) {
    return std::abs(frame.CentreX() - kScreenWidth / 2) <= 1 && std::abs(frame.CentreY() - kScreenHeight / 2) <= 1;
  }

  static pid_t server_;
  static pid_t manager_;
  static int report_;
  pid_t program_ = -1;
};

pid_t WindowManagerTest::server_ = -1;
pid_t WindowManagerTest::manager_ = -1;
int WindowManagerTest::report_ = -1;

TEST_F(WindowManagerTest, TheMainWindowCannotBeMaximizedAndOpensCentred) {
  const std::string id = Show("form1", "Vorlix Pro 5.0");
  ASSERT_FALSE(id.empty());
  const std::string actions = Output("xprop -id " + id + " _NET_WM_ALLOWED_ACTIONS");
  EXPECT_NE(actions.find("_NET_WM_ACTION_MINIMIZE"), std::string::npos) << actions;
  EXPECT_EQ(actions.find("MAXIMIZE"), std::string::npos) << actions;
  Frame frame;
  EXPECT_TRUE(Eventually([&] { return Centred(frame = FrameOf(id)); }))
      << "frame centre " << frame.CentreX() << "," << frame.CentreY();
}

TEST_F(WindowManagerTest, DialogsOpenCentredTheFirstTimeToo) {
  for (const auto& [which, title] : {std::pair{"form5", "Delete all Cache Folders"}, {"form2", "Help & About"}}) {
    const std::string id = Show(which, title);
    ASSERT_FALSE(id.empty()) << which;
    Frame frame;
    EXPECT_TRUE(Eventually([&] { return Centred(frame = FrameOf(id)); }))
        << which << ": frame centre " << frame.CentreX() << "," << frame.CentreY();
    Stop(program_);
  }
}

}  // namespace
